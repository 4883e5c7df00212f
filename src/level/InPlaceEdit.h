#pragma once
// Editing an open level's files in place: the files are the person's only copy
// of their work, so an edit writes only the bytes it owns, never changes a
// file's length, and is flushed to the disk before it counts as done. Before
// anything is written, every target is checked: the .dat still has the size it
// had when the level was loaded and the resource still carries its identifier
// at its data offset, and the bytes lie inside the file. A failed check writes
// nothing; a write that fails part-way throws, never reports success.

#include "level/Level.h"

#include <cstdint>
#include <span>
#include <vector>

namespace drossel {

class InPlaceEdit {
public:
    explicit InPlaceEdit(const Level& level) : level_(level) {}

    // Bytes of the resource's data, `at` bytes after its data offset.
    void IntoDat(const ResourceRecord& resource, std::int64_t at, std::span<const std::uint8_t> bytes);
    // Bytes of the .raw file at an absolute offset.
    void IntoRaw(std::int64_t offset, std::span<const std::uint8_t> bytes);

    // Checks every target, then writes them all and flushes each file. Throws
    // DrosselError saying why nothing (or, after a failing write, not all) was written.
    void Commit();

private:
    struct Write {
        bool raw;
        std::int64_t offset;
        std::vector<std::uint8_t> bytes;
    };
    const Level& level_;
    std::vector<const ResourceRecord*> resources_;
    std::vector<Write> writes_;
};

}  // namespace drossel
