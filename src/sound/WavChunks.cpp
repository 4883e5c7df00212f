#include "sound/WavChunks.h"

#include "io/Error.h"
#include "io/LittleEndian.h"

#include <cstring>
#include <string>

namespace drossel {
namespace {

constexpr std::size_t kRiffHeader = 12;
constexpr std::size_t kChunkHeader = 8;

bool IsId(std::span<const std::uint8_t> bytes, std::size_t at, const char (&id)[5]) {
    return std::memcmp(bytes.data() + at, id, 4) == 0;
}

void AppendChunk(std::vector<std::uint8_t>& out, const char (&id)[5], std::span<const std::uint8_t> body,
                 bool withBody = true) {
    const std::size_t at = out.size();
    out.resize(at + kChunkHeader);
    std::memcpy(out.data() + at, id, 4);
    StoreU32(out.data() + at + 4, static_cast<std::uint32_t>(body.size()));
    if (!withBody) return;
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) out.push_back(0);
}

}  // namespace

WavChunks FindWavChunks(std::span<const std::uint8_t> wav) {
    if (wav.size() < kRiffHeader || !IsId(wav, 0, "RIFF") || !IsId(wav, 8, "WAVE")) {
        throw DrosselError("it is not a WAV file (no RIFF WAVE header)");
    }
    WavChunks chunks;
    bool format = false;
    // Chunks start on even offsets; the RIFF size is not trusted, the file's is.
    for (std::size_t at = kRiffHeader; at <= wav.size() && wav.size() - at >= kChunkHeader;) {
        const std::size_t size = LoadU32(wav.data() + at + 4);
        const std::size_t body = at + kChunkHeader;
        const std::size_t left = wav.size() - body;
        if (IsId(wav, at, "data")) {
            if (!format)
                throw DrosselError("it is not a WAV file libsndfile reads: its samples come before their format");
            chunks.data = wav.subspan(body, std::min(size, left));
            return chunks;
        }
        if (size > left) {
            throw DrosselError("it is not a WAV file libsndfile reads: a chunk at byte " + std::to_string(at) +
                               " runs past the end of the file");
        }
        if (IsId(wav, at, "fmt ")) {
            chunks.format = wav.subspan(body, size);
            format = true;
        } else if (IsId(wav, at, "fact")) {
            chunks.fact = wav.subspan(body, size);
        }
        at = body + size + size % 2;
    }
    throw DrosselError(format ? "it holds no samples (no data chunk)"
                              : "it is not a WAV file libsndfile reads (no format chunk)");
}

std::vector<std::uint8_t> PlainWavHeader(const WavChunks& chunks) {
    std::vector<std::uint8_t> out(kRiffHeader);
    std::memcpy(out.data(), "RIFF", 4);
    std::memcpy(out.data() + 8, "WAVE", 4);
    AppendChunk(out, "fmt ", chunks.format);
    if (chunks.fact) AppendChunk(out, "fact", *chunks.fact);
    AppendChunk(out, "data", chunks.data, false);
    const std::size_t riff = out.size() - kRiffHeader + 4 + chunks.data.size();
    StoreU32(out.data() + 4, static_cast<std::uint32_t>(riff));
    return out;
}

}  // namespace drossel
