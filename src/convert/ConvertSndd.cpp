#include "convert/Converters.h"
#include "io/Error.h"
#include "level/records/BulkRecords.h"
#include "sound/Wav.h"

#include <memory>

namespace drossel {
namespace {

// The most sample data a sound may have: 256 MiB, some 25 minutes of 16-bit
// stereo at 44.1 kHz and hours of the game's ADPCM, whose longest sounds take a
// few megabytes. A record that claims more is refused before memory is taken.
constexpr std::int64_t kMaxSoundBytes = std::int64_t{256} << 20;

}  // namespace

std::vector<std::uint8_t> SoundWavOf(const Level& level, const ResourceRecord& resource) {
    const auto sound = level.ReadRecord<SoundRecord>(resource);
    if (sound.sampleLength > kMaxSoundBytes) {
        throw DrosselError("its " + std::to_string(sound.sampleLength) + " bytes of sample data are more than the " +
                           std::to_string(kMaxSoundBytes) + " a sound may have");
    }
    level.RequireRaw(sound.sampleOffset, sound.sampleLength);
    std::vector<std::uint8_t> samples(sound.sampleLength);
    level.ReadRaw(sound.sampleOffset, samples);
    const auto* format = reinterpret_cast<const std::uint8_t*>(sound.format);
    return WavFile(std::span<const std::uint8_t, kWavFormatSize>(format, kWavFormatSize), samples);
}

Conversion ConvertSndd(const Level& level, const ResourceRecord& resource, const Options& options, Progress&) {
    Conversion out;
    if (level.ReadRecord<SoundRecord>(resource).sampleLength == 0) {
        out.nothingToWrite = "it holds no sound data";
        return out;
    }
    out.pieces.push_back({OutputPiece::Place::ChosenStem, options.WavExtension, false, SoundWavOf(level, resource)});
    return out;
}

}  // namespace drossel
