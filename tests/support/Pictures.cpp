#include "Pictures.h"

#include "Fixture.h"
#include "image/ChannelScale.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace drossel::testing {

Picture ExactPicture(std::uint32_t format, int width, int height, int seed) {
    Picture p(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned k = static_cast<unsigned>(x * 7 + y * 13 + seed * 5);
            Rgba& c = p.at(x, y);
            if (format == 0) {
                c = {Scale4(k), Scale4(k / 3 + y), Scale4(x), Scale4(15 - (y % 16))};
            } else if (format == 1 || format == 2) {
                c = {Scale5(k), Scale5(k / 2 + y), Scale5(x + seed), static_cast<std::uint8_t>((x + y) % 3 ? 255 : 0)};
            } else if (format == 8) {
                c = {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(3 * y + seed),
                     static_cast<std::uint8_t>(255 - x), 255};
            } else {
                // DXT1: each 4x4 block holds two colours the 5-6-5 end colours store exactly.
                const unsigned block = static_cast<unsigned>((y / 4) * 64 + x / 4 + seed);
                const bool second = ((x % 4) + (y % 4) * 2 + static_cast<int>(block)) % 3 == 0;
                const unsigned v = block * 5 + (second ? 17 : 0);
                c = {Scale5(v), Scale6(v * 3), Scale5(v / 2 + 7), 255};
            }
        }
    }
    return p;
}

Picture Opaque(Picture p) {
    for (Rgba& c : p.pixels) c.a = 255;
    return p;
}

Picture PictureOf(const PixelBuffer& buffer) {
    Picture p(buffer.width(), buffer.height());
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const Bgra c = buffer.GetFromTop(x, y);
            p.at(x, y) = {c.red, c.green, c.blue, c.alpha};
        }
    }
    return p;
}

PixelBuffer BufferOf(const Picture& p) {
    PixelBuffer b(p.width, p.height);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) b.SetFromTop(x, y, {p.at(x, y).b, p.at(x, y).g, p.at(x, y).r, p.at(x, y).a});
    }
    return b;
}

std::optional<Picture> ReadWithImageMagick(const std::string& path) {
    std::istringstream size(RunShell("identify -format '%w %h' '" + path + "' 2>/dev/null").value_or(""));
    int width = 0, height = 0;
    if (!(size >> width >> height)) return std::nullopt;
    Picture p(width, height);
    const std::string rgba = RunShell("convert '" + path + "' -auto-orient -depth 8 rgba:- 2>/dev/null").value_or("");
    static_assert(sizeof(Rgba) == 4);
    if (rgba.size() != p.pixels.size() * sizeof(Rgba)) return std::nullopt;
    std::memcpy(p.pixels.data(), rgba.data(), rgba.size());
    return p;
}

::testing::AssertionResult SamePicture(const Picture& actual, const Picture& expected) {
    if (actual.width != expected.width || actual.height != expected.height) {
        return ::testing::AssertionFailure() << "size " << actual.width << " x " << actual.height << ", expected "
                                             << expected.width << " x " << expected.height;
    }
    const auto [a, e] = std::mismatch(actual.pixels.begin(), actual.pixels.end(), expected.pixels.begin());
    if (a == actual.pixels.end()) return ::testing::AssertionSuccess();
    const auto i = static_cast<int>(a - actual.pixels.begin());
    return ::testing::AssertionFailure() << "pixel (" << i % actual.width << ", " << i / actual.width << ") is " << *a
                                         << ", expected " << *e;
}

}  // namespace drossel::testing
