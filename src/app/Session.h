#pragma once
// The program's state between commands: the open level (or none), the options,
// the tree selection the desktop program shows, and the folder last chosen for
// a batch command.

#include "convert/Options.h"
#include "level/Level.h"

#include <cstdint>
#include <optional>
#include <string>

namespace drossel {

struct Session {
    std::optional<Level> level;
    Options options;
    std::int32_t selectedIndex = 0;  // the resource node last selected in the tree
    std::string OutputFolder;        // always ends with "/" once set
    int jobs = 0;                    // threads a batch works on; 0: one per core

    // The record at selectedIndex, or nullptr when no level is open or the index
    // lies outside its table.
    const ResourceRecord* Selected() const {
        return level && level->Contains(selectedIndex) ? &level->at(selectedIndex) : nullptr;
    }
    // Sets OutputFolder from a chosen folder, with exactly one trailing "/".
    void SetOutputFolder(const std::string& folder);
};

}  // namespace drossel
