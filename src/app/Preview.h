#pragma once
// What the desktop program's preview shows of a resource: the picture, the
// pictures, the sound or the text its conversion makes, taken from the very
// Conversion its converter returns, so a preview never differs from what
// "Unpack and Convert" writes; the scenes of models, weapons, characters and
// levels that their glTF export writes, from the same scene makers; for the
// other kinds, the "Resource Info" fields. Nothing here writes a file or talks
// to the person. The desktop program calls it off its user-interface thread,
// on a Level of its own.

#include "app/InfoText.h"
#include "convert/Conversion.h"
#include "convert/Options.h"
#include "image/PixelBuffer.h"
#include "kinds/KindTable.h"
#include "sound/PcmDecode.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace drossel {

class Level;

struct NamedPicture {
    std::string name;
    PixelBuffer pixels;
};

struct PreviewSound {
    std::string format;  // "Microsoft ADPCM"
    int channels = 0;
    int sampleRate = 0;
    double seconds = 0;
    PcmSound pcm;  // decoded, for the waveform and for playing; empty when it cannot be
};

struct Preview {
    PreviewKind kind = PreviewKind::Info;  // what `content` holds; Info when nothing could be made
    std::int32_t index = -1;
    std::string title;            // "wall (TXMP)"
    std::vector<InfoField> info;  // the number, then the eight "Resource Info" fields
    std::string facts;            // size and format, length, how many pictures...
    std::string problem;          // what cannot be shown and why; empty when nothing is missing
    std::variant<std::monostate, PixelBuffer, std::vector<NamedPicture>, PreviewSound, std::string,
                 std::vector<ResourceScene>>
        content;
};

// What a viewer draws of a scene: its nodes, the triangles and vertices of the
// meshes they show (a mesh without triangles shows nothing), and its materials
// with a texture.
struct SceneCounts {
    std::size_t nodes = 0;
    std::size_t triangles = 0;
    std::size_t vertices = 0;
    std::size_t texturedMaterials = 0;
    bool operator==(const SceneCounts&) const = default;
};
SceneCounts CountsOf(const Scene& scene);
// "group 1: 19 nodes, 1200 triangles, 900 vertices, 3 textured materials".
std::string SceneFactsText(const ResourceScene& scene);

// How much a preview holds, whatever a resource claims.
struct PreviewLimits {
    int pictureSide = 4096;           // a larger picture is shrunk to this longer side
    std::size_t listPictures = 64;    // the pictures of a list that are drawn
    int listPictureSide = 128;        // and their longer side
    std::size_t textBytes = 1 << 20;  // the text shown
};

Preview PreviewOf(const Level& level, std::int32_t index, const Options& options, const PreviewLimits& limits = {});

// The picture with its longer side shrunk to at most `side` pixels (each pixel
// of the result the nearest of the picture's); a smaller one as it is.
PixelBuffer ShrunkPicture(PixelBuffer picture, int side);

// The format, channels, rate, length and samples of a WAV file as the sound
// converter writes it. Throws DrosselError when it has no format description;
// samples that cannot be decoded leave the length 0 and say why in `problem`.
PreviewSound SoundOfWav(std::span<const std::uint8_t> wav, std::string& problem);
// "Microsoft ADPCM, 1 channel, 22050 Hz, 1.50 s".
std::string SoundFactsText(const PreviewSound& sound);

}  // namespace drossel
