#pragma once
// Pictures whose every pixel a texture format stores exactly, so a conversion
// must give back the very picture that went in: any swapped channel, flipped or
// mirrored row, or misplaced block shows as a difference.

#include "LevelBuilder.h"
#include "image/ChannelScale.h"

#include <gtest/gtest.h>

#include <sstream>

namespace drossel::testing {

inline Picture ExactPicture(std::uint32_t format, int width, int height, int seed = 0) {
    Picture p(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned k = static_cast<unsigned>(x * 7 + y * 13 + seed * 5);
            Rgba& c = p.at(x, y);
            switch (format) {
                case 0:
                    c = {Scale4(k), Scale4(k / 3 + y), Scale4(x), Scale4(15 - (y % 16))};
                    break;
                case 1:
                case 2:
                    c = {Scale5(k), Scale5(k / 2 + y), Scale5(x + seed),
                         static_cast<std::uint8_t>((x + y) % 3 ? 255 : 0)};
                    break;
                case 8:
                    c = {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(3 * y + seed),
                         static_cast<std::uint8_t>(255 - x), 255};
                    break;
                default: {
                    // DXT1: each 4x4 block holds two colours the 5-6-5 end colours store exactly.
                    const unsigned block = static_cast<unsigned>((y / 4) * 64 + x / 4 + seed);
                    const bool second = ((x % 4) + (y % 4) * 2 + static_cast<int>(block)) % 3 == 0;
                    const unsigned v = block * 5 + (second ? 17 : 0);
                    c = {Scale5(v), Scale6(v * 3), Scale5(v / 2 + 7), 255};
                }
            }
        }
    }
    return p;
}

inline ::testing::AssertionResult SamePicture(const Picture& actual, const Picture& expected) {
    if (actual.width != expected.width || actual.height != expected.height) {
        return ::testing::AssertionFailure() << "size " << actual.width << " x " << actual.height << ", expected "
                                             << expected.width << " x " << expected.height;
    }
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const Rgba a = actual.at(x, y), e = expected.at(x, y);
            if (!(a == e)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is rgba(" << int(a.r) << "," << int(a.g) << "," << int(a.b)
                       << "," << int(a.a) << "), expected rgba(" << int(e.r) << "," << int(e.g) << "," << int(e.b)
                       << "," << int(e.a) << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

inline Picture Opaque(Picture p) {
    for (Rgba& c : p.pixels) c.a = 255;
    return p;
}

}  // namespace drossel::testing
