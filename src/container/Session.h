#pragma once
// The program-wide state every command works on.

#include "container/ResourceTable.h"

#include <cstdint>
#include <string>

namespace drossel {

struct Session {
    std::string datPath;
    std::string rawPath;
    std::uint32_t magic = 0;  // first four bytes of the last .dat file opened
    DatHeader header;
    ResourceTable table;
    std::int32_t selectedIndex = 0;

    // Options. Those a load resets are given their load values here too, so a
    // routine never meets an option without a value.
    std::string ImageExtension = ".tga";
    int ImageBits = 32;
    int ModelLwoFormat = 65;
    int CharacterLwoFormat = 60;
    int WeaponLwoFormat = 70;
    int CharacterGroup = 5;  // 1 to 5; 6 = all groups
    int LevelFormat = 1;     // 1, 6, 7 or 8
    std::string WavExtension = ".wav";
    bool OneTextFile = false;
    bool DeleteGarbage = false;

    std::string OutputFolder;  // always ends with "/" once set

    bool loaded = false;  // a level is open (set by a successful load, cleared by Close)

    // The record at selectedIndex, or nullptr when the index lies outside the table.
    const ResourceRecord* Selected() const {
        return table.Contains(selectedIndex) ? &table.at(selectedIndex) : nullptr;
    }
    // The option values every successful load sets.
    void ResetLoadOptions();
    // Sets OutputFolder from a chosen folder, with exactly one trailing "/".
    void SetOutputFolder(const std::string& folder);
};

}  // namespace drossel
