#pragma once
// An image in memory: width x height pixels of four bytes (blue, green, red,
// alpha), bottom row first. BMP and TGA files store their rows in this order, so
// writing never reorders rows. No picture is larger than kMaxPicturePixels.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace drossel {

// The most pixels a picture may have: 8192 x 8192, 256 MiB in memory. The
// game's textures are at most a few hundred pixels wide; a record that claims
// more than this is broken or made to exhaust memory, and is refused before any
// memory is taken for it.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{8192} * 8192;

// Throws DrosselError, saying why, unless a picture of width x height pixels
// stays within kMaxPicturePixels.
void RequirePictureSize(int width, int height);

struct Bgra {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t alpha = 0;
};

class PixelBuffer {
public:
    PixelBuffer() = default;
    // Every pixel starts as `fill`. Both constructors throw DrosselError for a
    // picture larger than kMaxPicturePixels.
    PixelBuffer(int width, int height, Bgra fill = {0, 0, 0, 255});
    // Pixels left undefined, for a decoder that writes every one of them.
    struct Unfilled {};
    PixelBuffer(int width, int height, Unfilled);

    PixelBuffer(PixelBuffer&&) = default;
    PixelBuffer& operator=(PixelBuffer&&) = default;

    int width() const { return width_; }
    int height() const { return height_; }
    std::span<const std::uint8_t> bytes() const { return {bytes_.get(), size_}; }

    // Pixel x of the row that is `top` rows below the top of the picture.
    std::uint8_t* AtFromTop(int x, int top) { return bytes_.get() + Offset(x, height_ - 1 - top); }
    const std::uint8_t* AtFromTop(int x, int top) const { return bytes_.get() + Offset(x, height_ - 1 - top); }
    void SetFromTop(int x, int top, Bgra p) {
        std::uint8_t* d = AtFromTop(x, top);
        d[0] = p.blue;
        d[1] = p.green;
        d[2] = p.red;
        d[3] = p.alpha;
    }
    Bgra GetFromTop(int x, int top) const {
        const std::uint8_t* d = AtFromTop(x, top);
        return {d[0], d[1], d[2], d[3]};
    }

    // Sets every pixel's alpha to 255.
    void MakeOpaque();

private:
    std::size_t Offset(int x, int rowFromBottom) const {
        return (static_cast<std::size_t>(rowFromBottom) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)) *
               4;
    }

    int width_ = 0;
    int height_ = 0;
    std::size_t size_ = 0;
    std::unique_ptr<std::uint8_t[]> bytes_;
};

}  // namespace drossel
