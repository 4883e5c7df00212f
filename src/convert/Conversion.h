#pragma once
// What a converter makes, before anyone has chosen a file name for it: the
// command shell asks for the name, encodes pictures, writes every file whole
// and reports. A converter reads the level and never talks to the person.

#include "convert/Options.h"
#include "image/PixelBuffer.h"
#include "level/Level.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace drossel {

// A picture, written as BMP or TGA as its file name's extension says.
struct ImageOutput {
    PixelBuffer pixels;
    int bits = 32;
};

// One file of a conversion. Its path is the chosen one, or the chosen one with
// its extension replaced when `extension` is set.
struct OutputPiece {
    std::string extension;
    std::variant<std::vector<std::uint8_t>, ImageOutput> content;
};

struct Conversion {
    std::vector<OutputPiece> pieces;
    // What the output lacks ("tile 2 is missing (...)"); empty when it is whole.
    std::string missingParts;

    void NoteMissing(const std::string& part, const std::string& why) {
        missingParts += (missingParts.empty() ? "" : "; ") + part + " is missing (" + why + ")";
    }
};

using Converter = Conversion (*)(const Level& level, const ResourceRecord& resource, const Options& options);

}  // namespace drossel
