#include "convert/Converters.h"
#include "convert/TexturePicture.h"

namespace drossel {

Conversion ConvertTxmp(const Level& level, const ResourceRecord& resource, const Options& options, Progress&) {
    PixelBuffer picture = ReadTexturePicture(level, level.ReadRecord<TextureRecord>(resource));
    Conversion out;
    out.pieces.push_back({.content = ImageOutput{std::move(picture), ImageBits(options.Image)}});
    return out;
}

}  // namespace drossel
