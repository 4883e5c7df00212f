// PNG files through libpng, every colour type and depth brought to 8-bit blue,
// green, red and alpha. The stored values are taken as they are: no gamma or
// colour-space conversion, so a picture exported and brought back keeps its
// exact values.
//
// libpng reports errors by longjmp. The two steps that call it keep only plain
// values in their frames, so the jump skips no destructor; the state they share
// lives in a Reader outside them.

#include "image/ImageDecode.h"

#include "io/Error.h"

#include "image/PngLibrary.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace drossel {
namespace {

struct Reader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
    char message[256] = "";
    png_structp png = nullptr;
    png_infop info = nullptr;

    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    explicit Reader(std::span<const std::uint8_t> b) : bytes(b) {
        png = Png().create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (png != nullptr) info = Png().create_info_struct(png);
        if (info == nullptr) {
            Png().destroy_read_struct(&png, nullptr, nullptr);
            throw DrosselError("libpng could not start reading");
        }
        Png().set_read_fn(png, this, OnRead);
    }
    ~Reader() { Png().destroy_read_struct(&png, &info, nullptr); }

    static void OnError(png_structp png, png_const_charp text) {
        auto* self = static_cast<Reader*>(Png().get_error_ptr(png));
        std::snprintf(self->message, sizeof self->message, "%s", text);
        Png().longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}
    static void OnRead(png_structp png, png_bytep out, png_size_t length) {
        auto* self = static_cast<Reader*>(Png().get_io_ptr(png));
        if (self->bytes.size() - self->at < length) Png().error(png, "the file is cut short");
        std::memcpy(out, self->bytes.data() + self->at, length);
        self->at += length;
    }
};

// Reads the header and sets the transforms to 8-bit BGRA; false after an error.
bool ReadHeader(Reader& r, png_uint_32& width, png_uint_32& height) {
    if (setjmp(DROSSEL_PNG_JMPBUF(r.png))) return false;
    Png().read_info(r.png, r.info);
    // Deflate packs at most 1032 bytes into one: a picture its file cannot hold
    // is refused before memory is taken for it.
    const double stored =
        (static_cast<double>(Png().get_rowbytes(r.png, r.info)) + 1) * Png().get_image_height(r.png, r.info);
    if (stored / 1032 > static_cast<double>(r.bytes.size())) Png().error(r.png, "its pixels cannot fit in the file");
    const int type = Png().get_color_type(r.png, r.info);
    // Palettes, grey of fewer bits and transparency chunks become channels.
    Png().set_expand(r.png);
    Png().set_scale_16(r.png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) Png().set_gray_to_rgb(r.png);
    Png().set_bgr(r.png);
    Png().set_add_alpha(r.png, 0xFF, PNG_FILLER_AFTER);  // only where there is no alpha
    Png().set_interlace_handling(r.png);
    Png().read_update_info(r.png, r.info);
    width = Png().get_image_width(r.png, r.info);
    height = Png().get_image_height(r.png, r.info);
    if (Png().get_rowbytes(r.png, r.info) != std::size_t{width} * 4) Png().error(r.png, "unexpected row layout");
    return true;
}

bool ReadRows(Reader& r, png_bytepp rows) {
    if (setjmp(DROSSEL_PNG_JMPBUF(r.png))) return false;
    Png().read_image(r.png, rows);
    Png().read_end(r.png, nullptr);
    return true;
}

[[noreturn]] void Damaged(const Reader& r) {
    throw DrosselError(std::string("the PNG file is damaged: ") + r.message);
}

}  // namespace

PixelBuffer DecodePng(std::span<const std::uint8_t> bytes) {
    Reader reader(bytes);
    png_uint_32 width = 0, height = 0;
    if (!ReadHeader(reader, width, height)) Damaged(reader);
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) Damaged(reader);  // libpng's own limit is lower
    PixelBuffer picture(static_cast<int>(width), static_cast<int>(height), PixelBuffer::Unfilled{});
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = picture.AtFromTop(0, static_cast<int>(y));
    if (!ReadRows(reader, rows.data())) Damaged(reader);
    return picture;
}

}  // namespace drossel
