#pragma once
// Strings (TStr, IGSt) and the lists that name strings or textures by
// identifier: string lists (StNA, IGSA), texture lists (TXAN, TXMA), a
// character's textures (TRMA) and a sky (ONSK).

#include "level/records/Record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace drossel {

struct TStrRecord {
    ResourcePrefix prefix;
    char text[152];
};
static_assert(sizeof(TStrRecord) == 160);

struct IGStRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[16];
    char text[392];
};
static_assert(sizeof(IGStRecord) == 416);

// A text field's text: up to its first zero byte, or all of it when it has none.
std::string CutAtNul(std::string_view field);

template <std::size_t N>
std::string TextOf(const char (&field)[N]) {
    return CutAtNul(std::string_view(field, N));
}

// The header of a string list (StNA), whose count is a 16-bit signed value at 30.
struct StringListHeader {
    ResourcePrefix prefix;
    std::uint8_t unknown8[22];
    std::int16_t count;
};
static_assert(sizeof(StringListHeader) == 32);

// A character's textures.
struct CharacterTexturesRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[22];
    std::int16_t count;  // at most kMaxCharacterTextures
    std::uint32_t textures[24];
};
static_assert(sizeof(CharacterTexturesRecord) == 128);
inline constexpr int kMaxCharacterTextures = 19;

// A sky: sixteen textures; a link of 0 or 1 names none.
struct SkyRecord {
    ResourcePrefix prefix;
    std::uint32_t textures[16];
};
static_assert(sizeof(SkyRecord) == 72);

}  // namespace drossel
