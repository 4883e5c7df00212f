#include "sound/PcmDecode.h"

#include "io/Error.h"
#include "sound/SndfileMemory.h"
#include "sound/Wav.h"

#include <algorithm>
#include <limits>

namespace drossel {

PcmSound DecodeWav(std::span<const std::uint8_t> wav) {
    if (!IsWavFileLayout(wav)) throw DrosselError("cannot decode the sound: it is not laid out as sounds are written");
    MemorySoundFile memory{{}, wav};
    SF_INFO info{};
    SndfileHandle file(memory, SFM_READ, info);
    if (file.file() == nullptr) throw DrosselError(std::string("cannot decode the sound: ") + file.Error());
    PcmSound sound;
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    const sf_count_t values = info.frames * info.channels;
    // No codec libsndfile reads makes more than 16 samples of a byte: a file that
    // claims more lies about its size, and would take memory for nothing.
    const auto plausible = static_cast<sf_count_t>(wav.size()) * 16;
    if (info.channels <= 0 || info.frames < 0 || values > plausible ||
        values > std::numeric_limits<std::int32_t>::max()) {
        throw DrosselError("cannot decode the sound: it claims an impossible size");
    }
    sound.samples.resize(static_cast<std::size_t>(values));
    const sf_count_t read = file.ReadFrames(sound.samples.data(), info.frames);
    sound.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(read, 0) * info.channels));
    return sound;
}

}  // namespace drossel
