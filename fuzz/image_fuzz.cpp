// libFuzzer target: any bytes as a picture to put into a texture: read as the
// PNG, TGA or BMP file it claims to be, and encoded in every texture format.

#include "image/ImageDecode.h"
#include "image/TextureEncode.h"
#include "io/Error.h"

#include <cstdint>

using namespace drossel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const PixelBuffer picture = DecodeImageFile({data, size});
        // Encoding takes time, not memory: a large picture only slows the fuzzer.
        if (std::int64_t{picture.width()} * picture.height() > 4096) return 0;
        for (const std::uint32_t format : {0u, 1u, 2u, 8u, 9u}) EncodeTexture(picture, format);
    } catch (const DrosselError&) {
        // Refused with a reason: what the person is told.
    }
    return 0;
}
