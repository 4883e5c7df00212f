#pragma once
// The WAV files sounds are written as: a RIFF header, a 50-byte "fmt " chunk
// holding a sound record's format description unchanged (Microsoft ADPCM), and
// a "data" chunk with the sample bytes. The layout is fixed: the samples always
// start at byte 78.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace drossel {

inline constexpr std::size_t kWavFormatSize = 50;
inline constexpr std::size_t kWavFormatAt = 20;
inline constexpr std::size_t kWavHeaderSize = 78;

std::vector<std::uint8_t> WavFile(std::span<const std::uint8_t, kWavFormatSize> format,
                                  std::span<const std::uint8_t> samples);

// True when the bytes hold "RIFF", "WAVE", "fmt " and "data" at 0, 8, 12 and 70:
// the fixed layout, whose format chunk is exactly 50 bytes. Nothing else is checked.
bool HasFixedWavLayout(std::span<const std::uint8_t> wav);

// A WAV file's format tag as people name it ("Microsoft ADPCM").
std::string WavFormatName(std::uint16_t tag);

// True when the bytes are laid out exactly as WavFile writes them: the fixed
// layout, with the RIFF, format and data chunk sizes matching the bytes.
bool IsWavFileLayout(std::span<const std::uint8_t> wav);

}  // namespace drossel
