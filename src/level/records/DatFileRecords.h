#pragma once
// The .dat file's own layout: the header at offset 0, the descriptors that
// follow it, and the constants the loader tests.

#include <cstdint>

namespace drossel {

inline constexpr std::uint32_t kDatMagic = 0x33DC271F;  // 870065951
inline constexpr std::uint32_t kNamedFlags = 0x00300000;
inline constexpr std::uint32_t kHiddenFlags = 2;  // never listed in the tree

struct DatFileHeader {
    std::uint32_t magic;
    std::uint8_t unknown4[16];
    std::int32_t resourceCount;
    std::int32_t nameCount;
    std::int32_t unknown28;
    std::int32_t dataTableOffset;  // descriptors' data offsets count from 8 bytes before it
    std::int32_t dataTableSize;
    std::int32_t nameTableOffset;
    std::int32_t nameTableSize;
};
static_assert(sizeof(DatFileHeader) == 48);

inline constexpr std::int64_t kDescriptorTableOffset = 64;

struct ResourceDescriptor {
    char storedTag[4];  // the tag's four characters in reverse order
    std::int32_t dataOffset;
    std::int32_t nameOffset;  // from the name table's start
    std::int32_t size;
    std::uint32_t flags;  // kNamedFlags exactly: the resource is named
};
static_assert(sizeof(ResourceDescriptor) == 20);

}  // namespace drossel
