#pragma once
// Sounds for the demo level: tones encoded as Microsoft ADPCM, as the game
// stores its sounds, by libsndfile.

#include "LevelBuilder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace drossel::demo {

struct AdpcmSound {
    std::array<std::uint8_t, 50> format{};  // the "fmt " chunk's body
    testing::Bytes data;                    // the "data" chunk's body
    std::vector<short> source;              // the interleaved samples it was encoded from
};

// A rising tone of `seconds` seconds, on one channel or two (the second an octave up).
AdpcmSound AdpcmTone(int channels, double seconds, int sampleRate = 22050);

}  // namespace drossel::demo
