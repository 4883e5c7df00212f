#pragma once
// Pictures for the demo level's textures. Each shows an arrow pointing up and a
// character that reads differently when flipped or mirrored, so a picture
// written upside down or mirrored shows at a glance.

#include "LevelBuilder.h"

namespace drossel::demo {

// An arrow pointing up in the left half and `glyph` ('F' or a digit) in the right
// half, over `background`.
testing::Picture ArrowAndGlyph(int width, int height, char glyph, testing::Rgba ink, testing::Rgba background);

// One character centred on `background`, as large as the picture allows.
testing::Picture Glyph(int width, int height, char glyph, testing::Rgba ink, testing::Rgba background);

// The part of `picture` from (left, top), width x height pixels.
testing::Picture Crop(const testing::Picture& picture, int left, int top, int width, int height);

}  // namespace drossel::demo
