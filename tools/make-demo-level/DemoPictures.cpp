#include "DemoPictures.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace drossel::demo {

using testing::Picture;
using testing::Rgba;

namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// 5 x 7 glyphs, row by row from the top.
std::array<std::string_view, kGlyphHeight> GlyphRows(char c) {
    switch (c) {
        case 'F':
            return {"#####", "#....", "#....", "####.", "#....", "#....", "#...."};
        case '0':
            return {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."};
        case '1':
            return {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."};
        case '2':
            return {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"};
        case '3':
            return {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."};
        case '4':
            return {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."};
        case '5':
            return {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."};
        case '6':
            return {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."};
        case '7':
            return {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."};
        case '8':
            return {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."};
        case '9':
            return {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."};
        default:
            throw std::invalid_argument(std::string("no demo glyph for ") + c);
    }
}

// Draws the glyph scaled to fit the box (left, top, width, height), centred.
void DrawGlyph(Picture& p, int left, int top, int width, int height, char c, Rgba ink) {
    const auto rows = GlyphRows(c);
    const int scale = std::max(1, std::min(width / (kGlyphWidth + 1), height / (kGlyphHeight + 1)));
    const int x0 = left + (width - kGlyphWidth * scale) / 2;
    const int y0 = top + (height - kGlyphHeight * scale) / 2;
    for (int gy = 0; gy < kGlyphHeight * scale; ++gy) {
        for (int gx = 0; gx < kGlyphWidth * scale; ++gx) {
            if (rows[static_cast<std::size_t>(gy / scale)][static_cast<std::size_t>(gx / scale)] == '#') {
                p.at(x0 + gx, y0 + gy) = ink;
            }
        }
    }
}

// An arrow pointing up: a triangular head over the upper 45% and a shaft below.
void DrawArrow(Picture& p, int left, int top, int width, int height, Rgba ink) {
    const int margin = std::max(1, std::min(width, height) / 10);
    const int w = width - 2 * margin, h = height - 2 * margin;
    const int centre = left + width / 2;
    const int headRows = h * 45 / 100;
    for (int y = 0; y < h; ++y) {
        const int half = y < headRows ? (w / 2) * (y + 1) / std::max(headRows, 1) : std::max(1, w / 6);
        for (int x = centre - half; x < centre + half; ++x) p.at(x, top + margin + y) = ink;
    }
}

}  // namespace

Picture ArrowAndGlyph(int width, int height, char glyph, Rgba ink, Rgba background) {
    Picture p(width, height, background);
    DrawArrow(p, 0, 0, width / 2, height, ink);
    DrawGlyph(p, width / 2, 0, width - width / 2, height, glyph, ink);
    return p;
}

Picture Glyph(int width, int height, char glyph, Rgba ink, Rgba background) {
    Picture p(width, height, background);
    DrawGlyph(p, 0, 0, width, height, glyph, ink);
    return p;
}

Picture Crop(const Picture& picture, int left, int top, int width, int height) {
    Picture out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) out.at(x, y) = picture.at(left + x, top + y);
    }
    return out;
}

}  // namespace drossel::demo
