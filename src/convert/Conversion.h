#pragma once
// What a converter makes, before anyone has chosen a file name for it: the
// command shell asks for the name, encodes pictures, writes every file whole
// and reports. A converter reads the level and never talks to the person.

#include "convert/Options.h"
#include "geometry/Scene.h"
#include "image/PixelBuffer.h"
#include "level/Level.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace drossel {

// A picture, written as BMP or TGA as its file name's extension says.
struct ImageOutput {
    PixelBuffer pixels;
    int bits = 32;
    // When set, `pixels` stays empty and the picture is drawn only when it is
    // written, then dropped: a conversion of many pictures holds one at a time.
    // It reads the level, which stays open until the conversion is written.
    std::function<PixelBuffer()> draw{};
};

// One file of a conversion, placed relative to the path the person chose (or
// the batch formed): that path itself; its stem (the path without extension)
// followed by `name`; `name` in its folder; or `name` in the output folder of
// the batch commands. Names made from level data are cleaned (FileNamePart).
struct OutputPiece {
    enum class Place { Chosen, ChosenStem, BesideChosen, OutputFolder };
    Place place = Place::Chosen;
    std::string name{};
    bool append = false;  // added to the end of an existing file instead of replacing it
    std::variant<std::vector<std::uint8_t>, ImageOutput> content;
    // A picture that is one part of the whole ("texture wall"): when it cannot
    // be drawn or written it is noted as missing, and the rest is kept.
    std::string part{};
};

struct Conversion {
    std::vector<OutputPiece> pieces;
    // What the output lacks ("tile 2 is missing (...)"); empty when it is whole.
    std::string missingParts;
    // Why there is nothing to write, when `pieces` is empty.
    std::string nothingToWrite;

    void NoteMissing(const std::string& part, const std::string& why) {
        missingParts += (missingParts.empty() ? "" : "; ") + part + " is missing (" + why + ")";
    }
    // `count` things of one kind ("quad"), of something (" of gun") or not:
    // "1 quad is missing", "2 quads of gun are missing".
    void NoteMissing(std::size_t count, const std::string& thing, const std::string& why,
                     const std::string& whose = "") {
        const bool one = count == 1;
        missingParts += (missingParts.empty() ? "" : "; ") + std::to_string(count) + " " + thing + (one ? "" : "s") +
                        whose + (one ? " is" : " are") + " missing (" + why + ")";
    }
};

// The most text one conversion may make: 64 MiB. The game's subtitle tables,
// string lists and texture lists make a few hundred kilobytes; a record whose
// entries could make more is broken or made to exhaust memory.
inline constexpr std::int64_t kMaxTextBytes = std::int64_t{64} << 20;
// Throws DrosselError unless `bytes` of text stay within kMaxTextBytes.
void RequireTextSize(std::int64_t bytes);

// The most sample data a sound may have: 256 MiB, some 25 minutes of 16-bit
// stereo at 44.1 kHz and hours of the game's ADPCM, whose longest sounds take a
// few megabytes. A record that claims more is refused before memory is taken.
inline constexpr std::int64_t kMaxSoundBytes = std::int64_t{256} << 20;
// Throws DrosselError unless `bytes` of sample data stay within kMaxSoundBytes.
void RequireSoundSize(std::int64_t bytes);

// What a long conversion reports while it runs: status texts, and the steps of
// the progress bar. The command shell shows them; tests and batches may not.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void Status(const std::string& text) = 0;
    virtual void Steps(int maximum) = 0;
    virtual void Step(int value) = 0;
};
// A Progress that shows nothing.
Progress& NoProgress();

using Converter = Conversion (*)(const Level& level, const ResourceRecord& resource, const Options& options,
                                 Progress& progress);

// A scene the glTF export writes of a resource, and which part of the resource
// it shows ("group 5" of a character; empty when the resource has one scene).
struct ResourceScene {
    std::string part;
    Scene scene;
};
// The scenes of a resource as its glTF export writes them, one for each file,
// in the order it writes them; what they lack is noted in `out`.
using SceneMaker = std::vector<ResourceScene> (*)(const Level& level, const ResourceRecord& resource,
                                                  const Options& options, Conversion& out);

}  // namespace drossel
