#pragma once
// A level (ONLV) and its environment (AKEV), which names the arrays of the
// level's static geometry and its octree; the octree names the index list the
// level uses; the quads and their textures. Only the fields the program reads
// are laid out here.

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
    std::uint32_t quads;               // AGQG
    std::uint32_t quadTextures;        // AGQR: each quad's texture index
    std::uint8_t unknown28[8];
    std::uint32_t textures;  // TXMA: the textures the quads' indices name
    std::uint8_t unknown40[24];
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

// One quad of a level (an AGQG entry after its list header).
struct Quad {
    std::uint32_t points[4];     // corners 1 to 4
    std::uint32_t texCoords[4];  // indices into the level's texture coordinates
    std::uint8_t colours[16];    // the four corners' lighting colours, each blue, green, red, alpha
    std::uint32_t flags;         // kQuad... below
    std::uint32_t object;        // the object the quad belongs to (-1: none)
};
static_assert(sizeof(Quad) == 56);

// Quad flags the exports read.
inline constexpr std::uint32_t kQuadDoorFrame = 0x1;     // invisible: the frame of a door
inline constexpr std::uint32_t kQuadGhost = 0x2;         // a pathfinding separator, never drawn
inline constexpr std::uint32_t kQuadTriangle = 0x40;     // corners 3 and 4 are the same
inline constexpr std::uint32_t kQuadTransparent = 0x80;  // alpha counts; otherwise it is ignored
inline constexpr std::uint32_t kQuadTwoSided = 0x200;
inline constexpr std::uint32_t kQuadInvisible = 0x2000;

// A quad's texture (an AGQR entry): an index into the level's texture list.
struct QuadTexture {
    std::int16_t texture;
    std::uint16_t unknown2;
};
static_assert(sizeof(QuadTexture) == 4);

}  // namespace drossel
