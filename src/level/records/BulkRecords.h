#pragma once
// The kinds whose record gives the length and .raw offset of bulk data: sounds
// (SNDD), data groups and binary data (OSBD, BINA), subtitles (SUBT).

#include "level/records/Record.h"

#include <cstdint>

namespace drossel {

struct SoundRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[4];
    std::uint8_t format[50];  // the body of a WAV "fmt " chunk (Microsoft ADPCM)
    std::uint8_t unknown62[2];
    std::uint32_t sampleLength;
    std::uint32_t sampleOffset;  // in the .raw file
    std::uint8_t unknown72[24];
};
static_assert(sizeof(SoundRecord) == 96);

inline RawLocation RawLocationOf(const SoundRecord& s) {
    return {s.sampleLength, s.sampleOffset};
}

// Data groups and binary data.
struct BulkRecord {
    ResourcePrefix prefix;
    std::uint32_t length;
    std::uint32_t offset;  // in the .raw file
    std::uint8_t unknown16[16];
};
static_assert(sizeof(BulkRecord) == 32);

inline RawLocation RawLocationOf(const BulkRecord& b) {
    return {b.length, b.offset};
}

// A subtitle table: the header, then `entryCount` u32 offsets of the entries,
// each counted from `textOffset`; an entry is 256 bytes of text.
struct SubtitleRecord {
    ResourcePrefix prefix;
    std::uint8_t unknown8[16];
    std::uint32_t textOffset;  // in the .raw file
    std::uint32_t entryCount;
};
static_assert(sizeof(SubtitleRecord) == 32);

inline constexpr std::int64_t kSubtitleEntrySize = 256;

inline RawLocation RawLocationOf(const SubtitleRecord& s) {
    return {std::int64_t{s.entryCount} * kSubtitleEntrySize, s.textOffset};
}

}  // namespace drossel
