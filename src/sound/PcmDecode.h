#pragma once
// Decoding a WAV file in memory to 16-bit samples with libsndfile, for playing
// it: the WAV files the program writes for sounds (WavFile), whatever format
// their record describes. Other WAV files are refused before libsndfile sees
// them: libsndfile 1.2 never returns from some chunk lists (a LIST chunk of a
// huge size), and the program plays only sounds it made itself.

#include <cstdint>
#include <span>
#include <vector>

namespace drossel {

struct PcmSound {
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::int16_t> samples;  // interleaved, frame after frame
};

// Throws DrosselError, with libsndfile's reason where it gave one, when the
// bytes cannot be decoded.
PcmSound DecodeWav(std::span<const std::uint8_t> wav);

}  // namespace drossel
