#pragma once
// Reading written pictures back with programs that are not ours: ImageMagick
// (required) and Pillow (used when a python3 with it is found).

#include "LevelBuilder.h"

#include <optional>
#include <string>

namespace drossel::testing {

// The picture as ImageMagick decodes it, top row first. TGA files are turned
// upright by their orientation field (ImageMagick 6 keeps them as stored
// otherwise). Empty when ImageMagick cannot read the file.
std::optional<Picture> ReadWithImageMagick(const std::string& path);

// The picture as Pillow decodes it (alpha 255 where Pillow gives no alpha), top
// row first; empty when no python3 with Pillow is installed or it fails.
std::optional<Picture> ReadWithPillow(const std::string& path);
bool PillowAvailable();

// Runs a shell command and returns its standard output; `status` receives the exit status.
std::string RunCommand(const std::string& command, int* status = nullptr);

}  // namespace drossel::testing
