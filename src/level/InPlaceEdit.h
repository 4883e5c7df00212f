#pragma once
// The in-place writer: the only code that changes a level's files. The files
// are the person's only copy of their work, so an edit belongs to one resource
// and writes only bytes that resource owns:
//
// - in the .dat, bytes of its record: from its data offset, as many as its
//   descriptor's size says (a placeholder, size 0, owns none: its data lives in
//   another level file), and none that another resource's record also claims;
// - in the .raw, bytes of the slot its record names (as it names it when the
//   resource joins the edit), named by bytes of its own record, and lying
//   inside the .raw.
//
// Each part is given as a range counted from the start of the record or of the
// slot and checked when it is given; a range that is not wholly inside is
// refused with a DrosselError that says why (the caller names the resource:
// "Cannot replace door: ..."), before anything is written. Commit() is all or nothing: it opens both files for
// writing before changing either, checks through those same descriptors that
// the .dat has the size it had at load and the resource still the identifier
// it had when first read,
// and that the slot still lies inside the .raw; it writes the .raw parts first,
// then the .dat parts, and flushes both. When a write or flush fails, the bytes
// already replaced (kept in memory) are put back, and the failure is thrown.
// A file never changes its length.
//
//   InPlaceEdit edit(level, index);
//   edit.IntoRecord(offsetof(SoundRecord, format), formatBytes);
//   edit.IntoSlot(0, std::move(samples));
//   edit.Commit();
//
// One edit may change several resources together (a large texture's tiles):
// AddResource() makes the parts given after it another resource's, and Commit()
// checks every resource's identifier before anything is written.

#include "level/Level.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace drossel {

class InPlaceEdit {
public:
    // Throws DrosselError for a placeholder.
    InPlaceEdit(const Level& level, std::int32_t index);
    virtual ~InPlaceEdit() = default;
    InPlaceEdit(const InPlaceEdit&) = delete;
    InPlaceEdit& operator=(const InPlaceEdit&) = delete;

    // The parts given from now on are resource `index`'s. Throws DrosselError
    // for a placeholder.
    void AddResource(std::int32_t index);

    // Throw DrosselError, naming the resource and the reason, unless `length`
    // bytes from `at` lie inside the record, or inside the slot (which must lie
    // inside the .raw file): for checking before memory is taken for the bytes.
    void RequireInRecord(std::int64_t at, std::int64_t length) const;
    void RequireInSlot(std::int64_t at, std::int64_t length) const;

    // A part of the edit, checked as above.
    void IntoRecord(std::int64_t at, std::vector<std::uint8_t> bytes);
    void IntoSlot(std::int64_t at, std::vector<std::uint8_t> bytes);

    // Writes every part, or (after a DrosselError) none.
    void Commit();

protected:
    // One positioned write, as pwrite(2) does it: the bytes written, or -1 with
    // errno set. A test makes it fail to see the files put back.
    virtual long WriteSome(bool raw, int fd, std::span<const std::uint8_t> bytes, std::int64_t offset);

private:
    struct Part {
        bool raw;
        std::int64_t offset;  // absolute, in its file
        std::vector<std::uint8_t> bytes;
        std::vector<std::uint8_t> before;  // what the file held there
        bool attempted = false;
    };
    [[noreturn]] void Refuse(const std::string& why) const;
    void WriteAll(int fd, const Part& part, std::span<const std::uint8_t> bytes);
    void PutBack(int datFd, int rawFd);

    const Level& level_;
    const ResourceRecord* resource_ = nullptr;  // the one the parts given now belong to
    RawSlot slot_;                              // resource_'s
    std::vector<const ResourceRecord*> resources_;
    std::vector<Part> parts_;
};

}  // namespace drossel
