#include "image/TextureRecord.h"

#include "container/BinaryFile.h"
#include "container/Error.h"
#include "container/ResourceTable.h"
#include "image/TextureDecode.h"

#include <cstring>
#include <memory>

namespace drossel {

TextureRecord ReadTextureRecord(BinaryFile& dat, const ResourceRecord& resource) {
    TextureRecord texture;
    std::uint8_t bytes[sizeof(TextureRecord)];
    dat.Read(resource.dataOffset, bytes);
    std::memcpy(&texture, bytes, sizeof texture);
    return texture;
}

PixelBuffer ReadTexturePicture(const std::string& rawPath, const TextureRecord& texture) {
    const auto length = EncodedTextureSize(texture.width, texture.height, texture.format);
    if (!length) {
        // Let the decoder name the reason: a size without pixels or an unknown format.
        return DecodeTexture({}, texture.width, texture.height, texture.format);
    }
    BinaryFile raw(rawPath);
    if (!raw.Contains(texture.pixelOffset, *length)) {
        throw DrosselError("its " + std::to_string(*length) + " bytes of pixel data at offset " +
                           std::to_string(texture.pixelOffset) + " lie outside " + rawPath + " (" +
                           std::to_string(raw.size()) + " bytes)");
    }
    // Read straight into memory that is not cleared first: the read fills it whole or throws.
    const auto size = static_cast<std::size_t>(*length);
    const auto data = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    raw.Read(texture.pixelOffset, std::span(data.get(), size));
    return DecodeTexture(std::span(data.get(), size), texture.width, texture.height, texture.format);
}

}  // namespace drossel
