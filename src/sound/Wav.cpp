#include "sound/Wav.h"

#include "io/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace drossel {
namespace {

void PutTag(std::vector<std::uint8_t>& out, std::size_t at, const char (&tag)[5]) {
    std::memcpy(out.data() + at, tag, 4);
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, const char (&tag)[5]) {
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

}  // namespace

std::vector<std::uint8_t> WavFile(std::span<const std::uint8_t, kWavFormatSize> format,
                                  std::span<const std::uint8_t> samples) {
    if (samples.size() > 0xFFFFFFFFu - kWavHeaderSize) throw std::length_error("too many samples for a WAV file");
    const auto length = static_cast<std::uint32_t>(samples.size());
    std::vector<std::uint8_t> out(kWavHeaderSize + samples.size());
    PutTag(out, 0, "RIFF");
    StoreU32(out.data() + 4, length + static_cast<std::uint32_t>(kWavHeaderSize - 8));
    PutTag(out, 8, "WAVE");
    PutTag(out, 12, "fmt ");
    StoreU32(out.data() + 16, kWavFormatSize);
    std::copy(format.begin(), format.end(), out.begin() + kWavFormatAt);
    PutTag(out, 70, "data");
    StoreU32(out.data() + 74, length);
    std::copy(samples.begin(), samples.end(), out.begin() + kWavHeaderSize);
    return out;
}

bool HasFixedWavLayout(std::span<const std::uint8_t> wav) {
    return HasTag(wav, 0, "RIFF") && HasTag(wav, 8, "WAVE") && HasTag(wav, 12, "fmt ") && HasTag(wav, 70, "data");
}

std::string WavFormatName(std::uint16_t tag) {
    switch (tag) {
        case 1:
            return "PCM";
        case 2:
            return "Microsoft ADPCM";
        case 0x11:
            return "IMA ADPCM";
        default:
            return "WAV format " + std::to_string(tag);
    }
}

bool IsWavFileLayout(std::span<const std::uint8_t> wav) {
    return HasFixedWavLayout(wav) && wav.size() >= kWavHeaderSize && LoadU32(wav.data() + 4) == wav.size() - 8 &&
           LoadU32(wav.data() + 16) == kWavFormatSize && LoadU32(wav.data() + 74) == wav.size() - kWavHeaderSize;
}

}  // namespace drossel
