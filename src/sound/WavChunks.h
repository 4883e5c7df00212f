#pragma once
// Finding the chunks of any RIFF WAVE file that matter for its samples: the
// format, the sample count ("fact", optional) and the sample data. Other chunks
// (lists, cues, ...) are stepped over and never handed on, so a reader behind
// this one sees a plain file: libsndfile 1.2 never returns from some chunk lists.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace drossel {

struct WavChunks {
    std::span<const std::uint8_t> format;  // the body of "fmt "
    std::optional<std::span<const std::uint8_t>> fact;
    // The body of "data", cut where the file ends: a file cut inside its samples
    // still gives those it holds.
    std::span<const std::uint8_t> data;
};

// Throws DrosselError saying why the bytes are no WAV file: no RIFF WAVE header,
// no format or data chunk, or a chunk before the data running past the end.
WavChunks FindWavChunks(std::span<const std::uint8_t> wav);

// The start of a WAV file of exactly these chunks, in the order format, fact,
// data: everything up to the data's bytes, which follow it.
std::vector<std::uint8_t> PlainWavHeader(const WavChunks& chunks);

}  // namespace drossel
