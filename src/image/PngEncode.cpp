#include "image/PngEncode.h"

#include "io/Error.h"

#include "image/PngLibrary.h"

#include <cstdlib>
#include <new>
#include <string>

namespace drossel {
namespace {

// The bytes libpng writes, and the reason it gave up, if it did.
struct Sink {
    std::vector<std::uint8_t> bytes;
    std::string error;
};

// No exception may cross libpng: memory running out becomes a libpng error.
void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<Sink*>(Png().get_io_ptr(png));
    bool appended = true;
    try {
        sink->bytes.insert(sink->bytes.end(), data, data + length);
    } catch (const std::bad_alloc&) {
        appended = false;
    }
    if (!appended) Png().error(png, "out of memory");
}

// libpng reports an error by calling this, which must not return: it jumps
// back to the setjmp in Encode. Nothing with a destructor lives between the two.
[[noreturn]] void Fail(png_structp png, png_const_charp message) {
    static_cast<Sink*>(Png().get_error_ptr(png))->error = message;
    Png().longjmp(png, 1);
    std::abort();  // not reached: libpng's longjmp does not return
}

void Ignore(png_structp, png_const_charp) {}

// One row of the file from the picture's row `top` rows below its top: blue,
// green, red, alpha become red, green, blue (and alpha at 32 bits).
void ToFileRow(const PixelBuffer& pixels, int top, int bits, std::vector<png_byte>& row) {
    const std::uint8_t* in = pixels.AtFromTop(0, top);
    png_byte* out = row.data();
    for (int x = 0; x < pixels.width(); ++x, in += 4) {
        *out++ = in[2];
        *out++ = in[1];
        *out++ = in[0];
        if (bits == 32) *out++ = in[3];
    }
}

// Returns false (with the reason in sink.error) when libpng gave up.
bool Encode(png_structp png, png_infop info, const PixelBuffer& pixels, int bits, std::vector<png_byte>& row) {
    if (setjmp(DROSSEL_PNG_JMPBUF(png))) return false;
    Png().set_write_fn(png, Png().get_error_ptr(png), Append, nullptr);
    Png().set_IHDR(png, info, static_cast<png_uint_32>(pixels.width()), static_cast<png_uint_32>(pixels.height()), 8,
                   bits == 32 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                   PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    Png().write_info(png, info);
    for (int top = 0; top < pixels.height(); ++top) {
        ToFileRow(pixels, top, bits, row);
        Png().write_row(png, row.data());
    }
    Png().write_end(png, nullptr);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const PixelBuffer& pixels, int bits) {
    if (bits != 24 && bits != 32) throw DrosselError("unsupported image depth of " + std::to_string(bits) + " bits");
    if (pixels.width() == 0 || pixels.height() == 0) throw DrosselError("a PNG file cannot hold an empty picture");
    Sink sink;
    std::vector<png_byte> row(static_cast<std::size_t>(pixels.width()) * static_cast<std::size_t>(bits / 8));
    png_structp png = Png().create_write_struct(PNG_LIBPNG_VER_STRING, &sink, Fail, Ignore);
    png_infop info = png != nullptr ? Png().create_info_struct(png) : nullptr;
    const bool written = info != nullptr && Encode(png, info, pixels, bits, row);
    Png().destroy_write_struct(&png, &info);
    if (!written) {
        throw DrosselError("the picture cannot be written as PNG" + (sink.error.empty() ? "" : ": " + sink.error));
    }
    return std::move(sink.bytes);
}

}  // namespace drossel
