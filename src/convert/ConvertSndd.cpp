#include "convert/Converters.h"
#include "level/records/BulkRecords.h"
#include "sound/Wav.h"

namespace drossel {

std::vector<std::uint8_t> SoundWavOf(const Level& level, const ResourceRecord& resource) {
    const auto sound = level.ReadRecord<SoundRecord>(resource);
    RequireSoundSize(sound.sampleLength);
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
