#pragma once
// The 192-byte record at the start of a texture resource's data, and reading a
// texture's picture from the level's .dat and .raw files.

#include "image/PixelBuffer.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

namespace drossel {

class BinaryFile;
struct ResourceRecord;

struct TextureRecord {
    std::uint8_t prefix[8];
    std::uint8_t text[128];
    std::uint8_t unknown136[4];
    std::int16_t width;
    std::int16_t height;
    std::uint32_t format;
    std::uint8_t unknown148[8];
    std::uint32_t pixelOffset;  // in the .raw file
    std::uint8_t unknown160[32];
};
static_assert(sizeof(TextureRecord) == 192);
static_assert(offsetof(TextureRecord, width) == 140 && offsetof(TextureRecord, format) == 144);
static_assert(offsetof(TextureRecord, pixelOffset) == 156);
static_assert(std::endian::native == std::endian::little, "records are read as they lie in the file");

inline constexpr std::int64_t kTextureRecordSize = sizeof(TextureRecord);

// Reads the record at the resource's data offset; throws DrosselError when the
// .dat file does not hold it whole.
TextureRecord ReadTextureRecord(BinaryFile& dat, const ResourceRecord& resource);

// Reads the texture's pixel data from the .raw file at rawPath and decodes it;
// throws DrosselError when the format is not decoded or the data is not there
// whole (the .raw file is opened only for a format that is decoded).
PixelBuffer ReadTexturePicture(const std::string& rawPath, const TextureRecord& texture);

}  // namespace drossel
