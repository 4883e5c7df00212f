#pragma once
// The chain from a level (ONLV) through its environment to its octree, which
// names the point, texture coordinate and index lists the level itself uses.
// Only the leading fields the program reads are laid out here.

#include "level/records/Record.h"

#include <cstdint>

namespace drossel {

struct LevelRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[64];
    std::uint32_t environment;  // identifier of the environment record
};
static_assert(sizeof(LevelRecord) == 0x4C);

struct EnvironmentRecord {
    ResourcePrefix prefix;
    std::uint32_t points;  // identifier of the level's point list (PNTA)
    std::uint8_t unknown12[4];
    std::uint32_t textureCoordinates;  // identifier of its texture coordinate list (TXCA)
    std::uint8_t unknown20[44];
    std::uint32_t octree;  // identifier of its octree
    std::uint8_t unknown68[60];
};
static_assert(sizeof(EnvironmentRecord) == 128);

struct OctreeRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[12];
    std::uint32_t indexList;  // identifier of the level's index list (IDXA)
    std::uint8_t unknown24[8];
};
static_assert(sizeof(OctreeRecord) == 32);

}  // namespace drossel
