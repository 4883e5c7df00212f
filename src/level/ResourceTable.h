#pragma once
// The level file's header values and its table of resources, as loaded.

#include "level/Tag.h"
#include "level/records/DatFileRecords.h"
#include "level/records/Record.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drossel {

// The header values the program shows. dataTableOffset holds the stored value
// minus 8, the base that descriptor data offsets are relative to.
struct DatHeader {
    std::int32_t resourceCount = 0;
    std::int32_t nameCount = 0;
    std::int32_t dataTableOffset = 0;
    std::int32_t nameTableOffset = 0;
};

// A level holds up to a few hundred thousand: 40 bytes each, without padding.
struct ResourceRecord {
    Tag storedTag;  // the four characters as stored (reversed)
    Tag tag;
    std::int64_t dataOffset = 0;  // absolute; the 8-byte prefix included
    std::int32_t size = 0;
    std::uint32_t flags = 0;
    std::string_view name;  // held by the table's NameStore

    bool IsNamed() const { return flags == kNamedFlags; }
    // A resource whose descriptor size is 0 is a placeholder: its data lives in
    // another level file, and what lies at its data offset belongs to something else.
    bool IsPlaceholder() const { return size == 0; }
};

// Where a resource's bulk data lies in the .raw file, as its leading record says.
struct RawSlot {
    std::int64_t size = 0;
    std::optional<std::uint32_t> offset;  // unset: no bulk data, or its record could not be read
    std::int64_t namedBy = 0;             // the length of the leading record that holds size and offset
};

// The kinds that keep bulk data in the .raw file, with the record family that
// says where (the kind table gives them).
struct KindRawBlock {
    Tag tag;
    const RawBlock* block;
};

// Why a placeholder is refused by every command that would read or write its data.
std::string PlaceholderReason();

// Resolves links in constant time: the first record in table order for each
// identifier. An open-addressing table in one allocation, since a level holds
// up to a few hundred thousand identifiers and a command that follows one link indexes them all.
class IdentifierIndex {
public:
    // identifierOf(i) is record i's, for i below count; unset ones are left out.
    void Build(std::size_t count, const std::function<std::optional<std::uint32_t>(std::size_t)>& identifierOf);
    std::optional<std::int32_t> Find(std::uint32_t identifier) const;

private:
    struct Slot {
        std::uint32_t identifier = 0;
        std::int32_t index = -1;  // -1: empty
    };
    std::vector<Slot> slots_;  // size is a power of two, at most half full
};

// The records' names: most lie in a copy of the file's name table range, a
// few (past that range) on their own, and unnamed records' made-up ones together.
struct NameStore {
    std::string range;
    std::deque<std::string> longer;
    std::string made;
};

struct ResourceTable {
    std::vector<ResourceRecord> records;
    // Where the records' names are kept; copies of the table share it.
    std::shared_ptr<const NameStore> names;

    std::int32_t count() const { return static_cast<std::int32_t>(records.size()); }
    bool Contains(std::int64_t index) const { return index >= 0 && index < count(); }
    const ResourceRecord& at(std::int64_t index) const { return records.at(static_cast<std::size_t>(index)); }
};

}  // namespace drossel
