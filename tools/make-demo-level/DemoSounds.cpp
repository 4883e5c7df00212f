#include "DemoSounds.h"

#include "io/LittleEndian.h"
#include "sound/SndfileMemory.h"
#include "sound/WavChunks.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace drossel::demo {

AdpcmSound AdpcmTone(int channels, double seconds, int sampleRate) {
    const auto frames = static_cast<std::size_t>(seconds * sampleRate);
    std::vector<short> samples(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double fade = std::min(1.0, std::min(t, seconds - t) * 20);  // no clicks at either end
        for (int c = 0; c < channels; ++c) {
            const double pitch = 440.0 * (1 + t) * (c + 1);
            samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
                static_cast<short>(9000 * fade * std::sin(2 * M_PI * pitch * t));
        }
    }
    MemorySoundFile memory;
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM;
    SndfileHandle file(memory, SFM_WRITE, info);
    if (file.file() == nullptr) throw std::runtime_error(std::string("libsndfile: ") + file.Error());
    file.WriteFrames(samples.data(), static_cast<sf_count_t>(frames));
    file.Close();

    // Take the "fmt " and "data" chunks out of the RIFF file.
    AdpcmSound sound;
    const WavChunks chunks = FindWavChunks(memory.head);
    if (chunks.format.size() == sound.format.size()) std::copy_n(chunks.format.begin(), 50, sound.format.begin());
    sound.data.assign(chunks.data.begin(), chunks.data.end());
    sound.source = std::move(samples);
    if (sound.data.empty() || LoadU16(sound.format.data()) != 2) {
        throw std::runtime_error("libsndfile wrote no Microsoft ADPCM data with a 50-byte format");
    }
    return sound;
}

}  // namespace drossel::demo
