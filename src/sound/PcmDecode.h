#pragma once
// Decoding a WAV file in memory to 16-bit samples with libsndfile, for playing
// it: the game's Microsoft ADPCM sounds, and anything else libsndfile reads.

#include <cstdint>
#include <span>
#include <vector>

namespace drossel {

struct PcmSound {
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::int16_t> samples;  // interleaved, frame after frame
};

// Throws DrosselError with libsndfile's reason when the bytes cannot be decoded.
PcmSound DecodeWav(std::span<const std::uint8_t> wav);

}  // namespace drossel
