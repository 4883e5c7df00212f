#include "DemoSounds.h"

#include "io/LittleEndian.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace drossel::demo {
namespace {

// libsndfile writes the WAV file into this buffer.
struct Memory {
    testing::Bytes bytes;
    sf_count_t at = 0;
};

sf_count_t Length(void* m) {
    return static_cast<sf_count_t>(static_cast<Memory*>(m)->bytes.size());
}
sf_count_t Seek(sf_count_t offset, int whence, void* m) {
    auto* memory = static_cast<Memory*>(m);
    memory->at = std::max<sf_count_t>(0, (whence == SEEK_CUR   ? memory->at
                                          : whence == SEEK_END ? Length(m)
                                                               : 0) +
                                             offset);
    return memory->at;
}
sf_count_t Read(void* out, sf_count_t count, void* m) {
    auto* memory = static_cast<Memory*>(m);
    const sf_count_t n = std::clamp<sf_count_t>(Length(m) - memory->at, 0, count);
    std::memcpy(out, memory->bytes.data() + memory->at, static_cast<std::size_t>(n));
    memory->at += n;
    return n;
}
sf_count_t Write(const void* in, sf_count_t count, void* m) {
    auto* memory = static_cast<Memory*>(m);
    const auto end = static_cast<std::size_t>(memory->at + count);
    if (memory->bytes.size() < end) memory->bytes.resize(end);
    std::memcpy(memory->bytes.data() + memory->at, in, static_cast<std::size_t>(count));
    memory->at += count;
    return count;
}
sf_count_t Tell(void* m) {
    return static_cast<Memory*>(m)->at;
}

}  // namespace

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
    Memory memory;
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM;
    SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
    if (file == nullptr) throw std::runtime_error(std::string("libsndfile: ") + sf_strerror(nullptr));
    sf_writef_short(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);

    // Take the "fmt " and "data" chunks out of the RIFF file.
    AdpcmSound sound;
    const testing::Bytes& wav = memory.bytes;
    for (std::size_t at = 12; at + 8 <= wav.size();) {
        const std::string id(wav.begin() + static_cast<std::ptrdiff_t>(at),
                             wav.begin() + static_cast<std::ptrdiff_t>(at) + 4);
        const std::size_t size = LoadU32(wav.data() + at + 4);
        if (at + 8 + size > wav.size()) break;
        if (id == "fmt " && size == sound.format.size())
            std::copy_n(wav.begin() + static_cast<std::ptrdiff_t>(at) + 8, size, sound.format.begin());
        if (id == "data")
            sound.data.assign(wav.begin() + static_cast<std::ptrdiff_t>(at) + 8,
                              wav.begin() + static_cast<std::ptrdiff_t>(at + 8 + size));
        at += 8 + size + (size & 1);
    }
    sound.source = std::move(samples);
    if (sound.data.empty() || LoadU16(sound.format.data()) != 2) {
        throw std::runtime_error("libsndfile wrote no Microsoft ADPCM data with a 50-byte format");
    }
    return sound;
}

}  // namespace drossel::demo
