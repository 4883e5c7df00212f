#include "image/TextureRecord.h"

#include "container/BinaryFile.h"
#include "container/Error.h"
#include "container/ResourceTable.h"
#include "image/TextureDecode.h"

#include <cstring>

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
    const auto data = raw.ReadBytes(texture.pixelOffset, *length);
    return DecodeTexture(data, texture.width, texture.height, texture.format);
}

}  // namespace drossel
