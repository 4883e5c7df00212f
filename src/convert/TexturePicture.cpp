#include "convert/TexturePicture.h"

#include "image/TextureDecode.h"
#include "io/Error.h"

#include <memory>

namespace drossel {

PixelBuffer ReadTexturePicture(const Level& level, const TextureRecord& texture) {
    const std::int64_t length = DecodedTextureLength(texture.width, texture.height, texture.format);
    level.RequireRaw(texture.pixelOffset, length);
    // Read straight into memory that is not cleared first: the read fills it whole or throws.
    const auto size = static_cast<std::size_t>(length);
    const auto data = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    const std::span<std::uint8_t> bytes(data.get(), size);
    level.ReadRaw(texture.pixelOffset, bytes);
    return DecodeTexture(bytes, texture.width, texture.height, texture.format);
}

std::optional<PixelBuffer> ReadLinkedTexture(const Level& level, std::uint32_t identifier, std::string& missing) {
    const ResourceRecord* target = level.Resolve(identifier);
    if (target == nullptr) {
        missing = "no resource has identifier " + std::to_string(identifier);
        return std::nullopt;
    }
    if (target->tag != "TXMP") {
        missing = target->name + " is not a texture";
        return std::nullopt;
    }
    if (target->IsPlaceholder()) {
        missing = target->name + " has no data in this level file";
        return std::nullopt;
    }
    try {
        return ReadTexturePicture(level, level.ReadRecord<TextureRecord>(*target));
    } catch (const DrosselError&) {
        RethrowWithContext("texture " + target->name);
    }
}

}  // namespace drossel
