#include "convert/TexturePicture.h"

#include "image/TextureDecode.h"
#include "io/Error.h"

#include <algorithm>
#include <vector>

namespace drossel {
namespace {

// Pixel data read at a time: a band of whole rows (of whole rows of blocks)
// about this long.
constexpr std::int64_t kBandBytes = 1 << 20;

}  // namespace

void RequireDecodable(const Level& level, const TextureRecord& texture) {
    level.RequireRaw(texture.pixelOffset, DecodedTextureLength(texture.width, texture.height, texture.format));
}

void DrawTexture(const Level& level, const TextureRecord& texture, PixelBuffer& picture, const Cell& cell) {
    const int width = texture.width;
    const int rows = std::min({int{texture.height}, cell.height, picture.height() - cell.top});
    // Bands are whole rows of DXT1 blocks, four pixel rows high.
    const std::int64_t fourRows = StoredPixelLength(width, 4, texture.format).value_or(kBandBytes);
    const int bandRows = static_cast<int>(std::max<std::int64_t>(kBandBytes / fourRows, 1) * 4);
    std::vector<std::uint8_t> band;
    std::int64_t offset = texture.pixelOffset;
    for (int first = 0; first < rows; first += bandRows) {
        const int height = std::min(bandRows, rows - first);
        band.resize(static_cast<std::size_t>(StoredPixelLength(width, height, texture.format).value_or(0)));
        level.ReadRaw(offset, band);
        offset += static_cast<std::int64_t>(band.size());
        DecodeTextureInto(band, width, height, texture.format,
                          {picture, cell.left, cell.top + first, cell.width, cell.height - first});
    }
}

PixelBuffer ReadTexturePicture(const Level& level, const TextureRecord& texture) {
    RequireDecodable(level, texture);
    // Every pixel is decoded, so the picture is not cleared first.
    PixelBuffer picture(texture.width, texture.height, PixelBuffer::Unfilled{});
    DrawTexture(level, texture, picture, {0, 0, texture.width, texture.height});
    return picture;
}

std::optional<TextureRecord> FindLinkedTexture(const Level& level, std::uint32_t identifier, std::string& missing) {
    const ResourceRecord* target = level.Resolve(identifier);
    if (target == nullptr) {
        missing = "no resource has identifier " + std::to_string(identifier);
        return std::nullopt;
    }
    if (target->tag != "TXMP") {
        missing = std::string(target->name) + " is not a texture";
        return std::nullopt;
    }
    if (target->IsPlaceholder()) {
        missing = std::string(target->name) + " has no data in this level file";
        return std::nullopt;
    }
    try {
        const auto texture = level.ReadRecord<TextureRecord>(*target);
        RequireDecodable(level, texture);
        return texture;
    } catch (const DrosselError&) {
        RethrowWithContext("texture " + std::string(target->name));
    }
}

}  // namespace drossel
