#include "sound/SoundImport.h"

#include "io/Error.h"
#include "io/LittleEndian.h"
#include "io/LoadedLibrary.h"
#include "sound/SndfileMemory.h"
#include "sound/WavChunks.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace drossel {
namespace {

constexpr int kMicrosoftAdpcm = 2;
constexpr sf_count_t kFramesAtOnce = 4096;
// Offsets in a format description.
constexpr std::size_t kAverageRateAt = 8;
constexpr std::size_t kAfterAverageRate = 12;

// Equal in every field that describes the samples; the average byte rate is
// only a hint to players, and writers compute it differently.
bool SameFormat(std::span<const std::uint8_t> given, SoundFormat format) {
    return given.size() >= format.size() &&
           std::equal(format.begin(), format.begin() + kAverageRateAt, given.begin()) &&
           std::equal(format.begin() + kAfterAverageRate, format.end(), given.begin() + kAfterAverageRate);
}

[[noreturn]] void TooLong(std::int64_t bytes, std::int64_t slotBytes, const SoundLayout& layout) {
    throw DrosselError("it is too long for the sound: in the sound's format it takes " +
                       SoundLengthText(bytes, layout) + ", the sound's slot holds " +
                       SoundLengthText(slotBytes, layout));
}

// Bytes of whole blocks that `frames` sample frames take.
std::int64_t BlockBytes(std::int64_t frames, const SoundLayout& layout) {
    return (frames + layout.samplesPerBlock - 1) / layout.samplesPerBlock * layout.blockAlign;
}

// Frames of `from` channels into frames of `to` channels: one channel is the
// mean of all of them; otherwise channel c takes channel c (c modulo `from`,
// so a mono source fills every channel).
void MixChannels(std::span<const float> in, int from, int to, std::vector<float>& out) {
    const std::size_t frames = in.size() / static_cast<std::size_t>(from);
    out.resize(frames * static_cast<std::size_t>(to));
    for (std::size_t f = 0; f < frames; ++f) {
        const float* frame = in.data() + f * static_cast<std::size_t>(from);
        float* o = out.data() + f * static_cast<std::size_t>(to);
        if (to == 1) {
            float sum = 0;
            for (int c = 0; c < from; ++c) sum += frame[c];
            o[0] = sum / static_cast<float>(from);
        } else {
            for (int c = 0; c < to; ++c) o[c] = frame[c % from];
        }
    }
}

// libsamplerate's functions, loaded when a sound is first resampled.
struct Samplerate {
    decltype(&src_new) create = nullptr;
    decltype(&src_process) process = nullptr;
    decltype(&src_delete) destroy = nullptr;
    decltype(&src_strerror) strerror = nullptr;
};

const Samplerate& SamplerateLibrary() {
    return LoadFunctions<Samplerate>("libsamplerate.so.0", [](LoadedLibrary& library, Samplerate& s) {
        library.Find(s.create, "src_new");
        library.Find(s.process, "src_process");
        library.Find(s.destroy, "src_delete");
        library.Find(s.strerror, "src_strerror");
    });
}

// libsamplerate, a block of frames at a time.
class Resampler {
public:
    Resampler(int channels, double ratio) : channels_(channels), ratio_(ratio) {
        int error = 0;
        state_.reset(SamplerateLibrary().create(SRC_SINC_BEST_QUALITY, channels, &error));
        if (!state_)
            throw DrosselError(std::string("the resampler cannot start: ") + SamplerateLibrary().strerror(error));
    }
    // Resamples `in` (all of it) and hands each piece of output to `put`; with
    // `last`, also what the resampler still holds.
    template <typename Put>
    void Process(std::span<const float> in, bool last, Put put) {
        const long frames = static_cast<long>(in.size()) / channels_;
        out_.resize(static_cast<std::size_t>((static_cast<double>(kFramesAtOnce) * ratio_ + 64) * channels_));
        long used = 0;
        for (;;) {
            SRC_DATA d{};
            d.data_in = in.data() + used * channels_;
            d.input_frames = frames - used;
            d.data_out = out_.data();
            d.output_frames = static_cast<long>(out_.size()) / channels_;
            d.end_of_input = last ? 1 : 0;
            d.src_ratio = ratio_;
            if (const int error = SamplerateLibrary().process(state_.get(), &d)) {
                throw DrosselError(std::string("the resampler failed: ") + SamplerateLibrary().strerror(error));
            }
            used += d.input_frames_used;
            put(std::span<const float>(out_.data(), static_cast<std::size_t>(d.output_frames_gen * channels_)));
            if (used >= frames && (!last || d.output_frames_gen == 0)) return;
        }
    }

private:
    struct Delete {
        void operator()(SRC_STATE* s) const { SamplerateLibrary().destroy(s); }
    };
    int channels_;
    double ratio_;
    std::unique_ptr<SRC_STATE, Delete> state_;
    std::vector<float> out_;
};

// libsndfile's Microsoft ADPCM encoder writing into memory, in blocks of the
// sound's layout. libsndfile picks the block size from rate x channels alone
// and nothing in a block depends on the rate, so it is told a rate that gives
// the sound's block size; the sound's format keeps its own.
class AdpcmEncoder {
public:
    AdpcmEncoder(SoundFormat format, const SoundLayout& layout) : channels_(layout.channels) {
        SF_INFO info{};
        info.channels = layout.channels;
        // libsndfile picks blocks of 256 bytes for rate x channels below 12000,
        // of 512 below 23000, of 1024 below 44000, and of 2048 beyond: 31.25
        // times the block size lands in the right range for each of them.
        info.samplerate = std::max(layout.blockAlign * 125 / 4 / layout.channels, 1);
        info.format = SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM;
        file_ = std::make_unique<SndfileHandle>(memory_, SFM_WRITE, info);
        // The header is written at once: its layout must be the sound's.
        if (file_->file() == nullptr || !SameLayout(FindWavChunks(memory_.head).format, format)) {
            throw DrosselError("the sound's Microsoft ADPCM layout (" + std::to_string(layout.channels) +
                               " channels, blocks of " + std::to_string(layout.blockAlign) + " bytes holding " +
                               std::to_string(layout.samplesPerBlock) + " samples) is not one libsndfile writes");
        }
    }
    void Write(std::span<const float> frames) {
        clipped_.assign(frames.begin(), frames.end());
        for (float& v : clipped_) v = std::clamp(v, -1.0f, 1.0f);
        file_->WriteFrames(clipped_.data(), static_cast<sf_count_t>(clipped_.size()) / channels_);
    }
    // The sample bytes: whole blocks, the last one filled with silence.
    std::vector<std::uint8_t> Finish() {
        file_->Close();
        const auto data = FindWavChunks(memory_.head).data;
        return {data.begin(), data.end()};
    }

private:
    static bool SameLayout(std::span<const std::uint8_t> written, SoundFormat format) {
        // All but the rate and the average byte rate.
        return written.size() == format.size() && std::equal(format.begin(), format.begin() + 4, written.begin()) &&
               std::equal(format.begin() + kAfterAverageRate, format.end(), written.begin() + kAfterAverageRate);
    }

    MemorySoundFile memory_;
    std::unique_ptr<SndfileHandle> file_;
    std::vector<float> clipped_;
    int channels_ = 0;
};

ImportedSound Converted(const WavChunks& chunks, SoundFormat format, const SoundLayout& layout,
                        std::int64_t slotBytes) {
    if (layout.formatTag != kMicrosoftAdpcm) {
        throw DrosselError("the sound is stored as " + WavFormatName(static_cast<std::uint16_t>(layout.formatTag)) +
                           ", not as Microsoft ADPCM: only a WAV file in its very format can replace it");
    }
    if (layout.channels <= 0 || layout.sampleRate <= 0 || layout.samplesPerBlock <= 0 || layout.blockAlign <= 0) {
        throw DrosselError("the sound's Microsoft ADPCM format is damaged (" + std::to_string(layout.channels) +
                           " channels, " + std::to_string(layout.sampleRate) + " Hz, blocks of " +
                           std::to_string(layout.blockAlign) + " bytes holding " +
                           std::to_string(layout.samplesPerBlock) +
                           " samples): only a WAV file in its very format can replace it");
    }
    MemorySoundFile source{PlainWavHeader(chunks), chunks.data};
    SF_INFO info{};
    SndfileHandle in(source, SFM_READ, info);
    if (in.file() == nullptr) throw DrosselError(std::string("it is not a WAV file libsndfile reads: ") + in.Error());
    // No codec libsndfile reads makes more than 16 samples of a byte: a file that
    // claims more frames lies about its size.
    const auto plausible = static_cast<sf_count_t>(chunks.data.size()) * 16;
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames < 0 || info.frames > plausible) {
        throw DrosselError("it is not a WAV file libsndfile reads: it claims an impossible size");
    }
    if (info.frames == 0) throw DrosselError("it holds no samples");
    const double ratio = static_cast<double>(layout.sampleRate) / info.samplerate;
    // The length is known before anything is decoded.
    const auto expected = BlockBytes(static_cast<std::int64_t>(std::ceil(info.frames * ratio)), layout);
    if (expected > slotBytes) TooLong(expected, slotBytes, layout);

    AdpcmEncoder encoder(format, layout);
    std::unique_ptr<Resampler> resampler;
    if (info.samplerate != layout.sampleRate) resampler = std::make_unique<Resampler>(layout.channels, ratio);
    std::vector<float> frames(static_cast<std::size_t>(kFramesAtOnce * info.channels)), mixed;
    for (bool last = false; !last;) {
        const sf_count_t read = in.ReadFrames(frames.data(), kFramesAtOnce);
        last = read < kFramesAtOnce;
        MixChannels(std::span<const float>(frames.data(), static_cast<std::size_t>(read * info.channels)),
                    info.channels, layout.channels, mixed);
        if (resampler) {
            resampler->Process(mixed, last, [&encoder](std::span<const float> out) { encoder.Write(out); });
        } else {
            encoder.Write(mixed);
        }
    }
    ImportedSound out{encoder.Finish(), true, {0, info.channels, info.samplerate, 0, 0}};
    if (out.samples.empty()) throw DrosselError("it holds no samples");
    if (static_cast<std::int64_t>(out.samples.size()) > slotBytes) {
        TooLong(static_cast<std::int64_t>(out.samples.size()), slotBytes, layout);
    }
    return out;
}

}  // namespace

SoundLayout LayoutOf(SoundFormat format) {
    return {LoadU16(&format[0]), LoadU16(&format[2]),
            static_cast<int>(std::min<std::uint32_t>(LoadU32(&format[4]), 1u << 30)), LoadU16(&format[12]),
            LoadU16(&format[18])};
}

std::string SoundFormatText(const SoundLayout& layout) {
    const std::string channels = layout.channels == 1   ? "mono"
                                 : layout.channels == 2 ? "stereo"
                                                        : std::to_string(layout.channels) + " channels";
    // A source has no format tag here: what it is decoded from does not matter.
    const std::string type =
        layout.formatTag == 0 ? "" : WavFormatName(static_cast<std::uint16_t>(layout.formatTag)) + ", ";
    return type + std::to_string(layout.sampleRate) + " Hz, " + channels;
}

double SecondsOf(std::int64_t bytes, const SoundLayout& layout) {
    if (layout.blockAlign <= 0 || layout.sampleRate <= 0) return 0;
    return static_cast<double>(bytes) / layout.blockAlign * layout.samplesPerBlock / layout.sampleRate;
}

std::string SoundLengthText(std::int64_t bytes, const SoundLayout& layout) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", SecondsOf(bytes, layout));
    return std::to_string(bytes) + " bytes (" + seconds + " s)";
}

ImportedSound SoundForSlot(std::span<const std::uint8_t> wav, SoundFormat format, std::int64_t slotBytes) {
    const WavChunks chunks = FindWavChunks(wav);
    const SoundLayout layout = LayoutOf(format);
    if (!SameFormat(chunks.format, format)) return Converted(chunks, format, layout, slotBytes);
    if (chunks.data.empty()) throw DrosselError("it holds no samples");
    if (static_cast<std::int64_t>(chunks.data.size()) > slotBytes) {
        TooLong(static_cast<std::int64_t>(chunks.data.size()), slotBytes, layout);
    }
    return {{chunks.data.begin(), chunks.data.end()}, false, layout};
}

}  // namespace drossel
