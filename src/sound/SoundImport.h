#pragma once
// Putting a WAV file into a sound: the sample bytes that go into the sound's
// slot, in the sound's own format, which does not change. A WAV already in that
// format (the 50-byte format description equal, the average byte rate aside)
// gives its sample bytes as they are; any other WAV libsndfile reads (PCM of
// any width, float, Microsoft or IMA ADPCM, mono or stereo, any rate) is decoded
// with libsndfile, brought to the sound's channel count, resampled with
// libsamplerate when the rate differs, and encoded as Microsoft ADPCM blocks of
// the sound's layout with libsndfile. Pure: bytes in, bytes out.

#include "sound/Wav.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace drossel {

using SoundFormat = std::span<const std::uint8_t, kWavFormatSize>;

// The largest WAV file read: 256 MiB, some 25 minutes of 16-bit stereo at
// 44.1 kHz, far more than any slot of the game's sounds holds.
inline constexpr std::int64_t kMaxWavBytes = std::int64_t{256} << 20;

// What a format description says about the samples it describes.
struct SoundLayout {
    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0;
    int samplesPerBlock = 0;  // Microsoft ADPCM only
};
SoundLayout LayoutOf(SoundFormat format);
// "Microsoft ADPCM, 22050 Hz, mono": what a layout's samples are.
std::string SoundFormatText(const SoundLayout& layout);
// How long `bytes` of sample data of this layout play, in seconds (0 when the
// layout gives no duration).
double SecondsOf(std::int64_t bytes, const SoundLayout& layout);

struct ImportedSound {
    std::vector<std::uint8_t> samples;  // at most the slot's length; whole blocks when converted
    bool converted = false;             // false: the WAV's own bytes
    SoundLayout source;                 // what was converted: its channels and rate
};

// The samples of `wav` for a sound of this format whose slot holds `slotBytes`.
// Throws DrosselError naming the cause: no WAV file, one libsndfile cannot
// read, no samples, a result longer than the slot (both lengths given; the
// length is known before anything is decoded), or a sound not stored as
// Microsoft ADPCM (only a WAV in its very format can go into such a sound).
ImportedSound SoundForSlot(std::span<const std::uint8_t> wav, SoundFormat format, std::int64_t slotBytes);

// "N bytes (S.SS s)": a length of sample data of this layout.
std::string SoundLengthText(std::int64_t bytes, const SoundLayout& layout);

}  // namespace drossel
