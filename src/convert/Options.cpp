#include "convert/Options.h"

namespace drossel {

std::string ImageExtension(ImageFormat format) {
    if (format == ImageFormat::Png32) return ".png";
    return format == ImageFormat::Bmp32 || format == ImageFormat::Bmp24 ? ".bmp" : ".tga";
}

int ImageBits(ImageFormat format) {
    return format == ImageFormat::Tga24 || format == ImageFormat::Bmp24 ? 24 : 32;
}

void Options::ResetForLoad() {
    const Options defaults;
    Image = defaults.Image;
    ModelLwoFormat = defaults.ModelLwoFormat;
    CharacterLwoFormat = defaults.CharacterLwoFormat;
    WavExtension = defaults.WavExtension;
    LevelFormat = defaults.LevelFormat;
}

}  // namespace drossel
