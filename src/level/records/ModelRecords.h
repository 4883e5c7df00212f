#pragma once
// Models (M3GM) and the lists their geometry lives in: points (PNTA), texture
// coordinates (TXCA) and indices (IDXA); characters (ONCC) with their body
// sets, bodies, part lists, joint offsets and bones; weapons (ONWC).

#include "level/records/Record.h"

#include <cstddef>
#include <cstdint>

namespace drossel {

struct ModelRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[4];
    std::uint32_t points;  // PNTA
    std::uint8_t unknown16[8];
    std::uint32_t texCoords;  // TXCA
    std::uint32_t strips;     // IDXA: triangle strips
    std::uint32_t triangles;  // IDXA with one entry per triangle: only its count is used
    std::uint32_t texture;    // TXMP: the model's texture (0: none)
    std::uint8_t unknown40[24];
};
static_assert(sizeof(ModelRecord) == 64);

// A point list: this header, then `count` points of three floats.
struct PointListHeader {
    ResourcePrefix prefix;
    std::uint8_t unknown8[52];
    std::uint32_t count;
};
static_assert(sizeof(PointListHeader) == 64);

// In a strip index list, a value with bit 31 set begins a strip; its point
// index is the value with its top byte cleared.
inline constexpr std::uint32_t kStripIndexMask = 0x00FFFFFF;

struct CharacterRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[3124];
    std::uint32_t bodySet;  // TRBS
    std::uint8_t unknown3136[96];
};
static_assert(sizeof(CharacterRecord) == 3232);

inline constexpr int kCharacterGroups = 5;
inline constexpr int kBodyParts = 19;

struct BodySetRecord {
    ResourcePrefix prefix;
    std::uint32_t bodies[kCharacterGroups];  // TRCM, one body per character group
    std::uint8_t unknown28[4];
};
static_assert(sizeof(BodySetRecord) == 32);

// A body (TRCM): one level of detail of a character's body.
struct BodyRecord {
    ResourcePrefix prefix;
    std::uint8_t unused8[4];
    std::uint16_t partCount;  // 19 in the game's files; the export reads all nineteen links regardless
    std::uint8_t unknown14[2];
    char internalName[64];
    std::uint8_t runtime80[12];  // words the game overwrites when it loads the body
    std::uint32_t parts;         // TRGA, at 0x5C
    std::uint32_t jointOffsets;  // TRTA, at 0x60
    std::uint32_t bones;         // TRIA, at 0x64
    std::uint8_t padding104[24];
    std::uint8_t unknown128[16];
};
static_assert(sizeof(BodyRecord) == 144);
static_assert(offsetof(BodyRecord, parts) == 0x5C && offsetof(BodyRecord, bones) == 0x64);

struct PartListRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[24];
    std::uint32_t models[kBodyParts];  // M3GM of part 1 to 19
    std::uint8_t unknown108[20];
};
static_assert(sizeof(PartListRecord) == 128);

// Joint offsets (TRTA) and bones (TRIA): this header, then their records.
struct JointListHeader {
    ResourcePrefix prefix;
    std::uint8_t unknown8[22];
    std::uint16_t count;
};
static_assert(sizeof(JointListHeader) == 32);

inline constexpr int kJointOffsets = 22;

struct JointOffset {
    float x, y, z;
};
static_assert(sizeof(JointOffset) == 12);

// Joint positions are found bone by bone: bone k + 1's `joint` is the parent of
// bone k's `child` (or, when that is 0, of bone k + 2's `joint`).
struct Bone {
    std::uint8_t joint;
    std::uint8_t child;
    std::uint8_t unknown2[2];
};
static_assert(sizeof(Bone) == 4);

struct WeaponRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[88];
    std::uint32_t model;  // M3GM
    std::uint8_t unknown100[1756];
};
static_assert(sizeof(WeaponRecord) == 1856);

}  // namespace drossel
