#pragma once
// What every record family shares: reading a plain struct from the bytes at a
// resource's data offset, and the location of bulk data in the .raw file.
//
// Records are plain structs laid out as the file stores them (little-endian,
// no padding), each with a static_assert on its size; offsets are named once,
// by the struct's fields, for the loader, the converters and LevelBuilder alike.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

namespace drossel {

static_assert(std::endian::native == std::endian::little, "records are read as they lie in the file");

// The first eight bytes of every resource's data: its identifier, then a word
// that nothing here reads.
struct ResourcePrefix {
    std::uint32_t identifier;
    std::uint32_t unknown4;
};
static_assert(sizeof(ResourcePrefix) == 8);

// The 32-byte header of the many lists whose count is a u32 at 28: identifier
// lists (IGSA, TXAN, TXMA), texture coordinates (TXCA), indices (IDXA), quads
// (AGQG) and their textures (AGQR). `count` entries follow it.
struct ListHeader {
    ResourcePrefix prefix;
    std::uint8_t unknown8[20];
    std::uint32_t count;
};
static_assert(sizeof(ListHeader) == 32);

// A record from bytes that hold at least sizeof(Record) bytes.
template <typename Record>
Record RecordFrom(std::span<const std::uint8_t> bytes) {
    static_assert(std::is_trivially_copyable_v<Record>);
    Record record;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

// The record's bytes as the file stores them.
template <typename Record>
std::vector<std::uint8_t> BytesOf(const Record& record) {
    std::vector<std::uint8_t> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

// Where a resource's bulk data lies in the .raw file. A length of 0 means none.
struct RawLocation {
    std::int64_t length = 0;
    std::uint32_t offset = 0;
};

// A record family whose leading record points into the .raw file: the
// record's size and how the location is read from it.
struct RawBlock {
    std::size_t recordSize;
    RawLocation (*locate)(std::span<const std::uint8_t> record);
};

// The loader reads these records into a buffer of this size on the stack.
inline constexpr std::size_t kLargestRawBlockRecord = 256;

template <typename Record>
constexpr RawBlock RawBlockFor() {
    static_assert(sizeof(Record) <= kLargestRawBlockRecord);
    return {sizeof(Record),
            [](std::span<const std::uint8_t> bytes) { return RawLocationOf(RecordFrom<Record>(bytes)); }};
}

}  // namespace drossel
