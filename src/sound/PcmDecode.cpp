#include "sound/PcmDecode.h"

#include "io/Error.h"
#include "sound/Wav.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace drossel {
namespace {

// libsndfile reads through these callbacks from the bytes in memory.
struct Reader {
    std::span<const std::uint8_t> bytes;
    sf_count_t at = 0;
};

sf_count_t Length(void* user) {
    return static_cast<sf_count_t>(static_cast<Reader*>(user)->bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
    auto* r = static_cast<Reader*>(user);
    const sf_count_t base = whence == SEEK_CUR ? r->at : whence == SEEK_END ? Length(user) : 0;
    r->at = std::clamp<sf_count_t>(base + offset, 0, Length(user));
    return r->at;
}

sf_count_t Read(void* out, sf_count_t count, void* user) {
    auto* r = static_cast<Reader*>(user);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, Length(user) - r->at);
    std::memcpy(out, r->bytes.data() + r->at, static_cast<std::size_t>(n));
    r->at += n;
    return n;
}

sf_count_t Write(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t Tell(void* user) {
    return static_cast<Reader*>(user)->at;
}

}  // namespace

PcmSound DecodeWav(std::span<const std::uint8_t> wav) {
    if (!IsWavFileLayout(wav)) throw DrosselError("cannot decode the sound: it is not laid out as sounds are written");
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    Reader reader{wav};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &reader);
    if (file == nullptr) throw DrosselError(std::string("cannot decode the sound: ") + sf_strerror(nullptr));
    PcmSound sound;
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    const sf_count_t values = info.frames * info.channels;
    // No codec libsndfile reads makes more than 16 samples of a byte: a file that
    // claims more lies about its size, and would take memory for nothing.
    const auto plausible = static_cast<sf_count_t>(wav.size()) * 16;
    if (info.channels <= 0 || info.frames < 0 || values > plausible ||
        values > std::numeric_limits<std::int32_t>::max()) {
        sf_close(file);
        throw DrosselError("cannot decode the sound: it claims an impossible size");
    }
    sound.samples.resize(static_cast<std::size_t>(values));
    const sf_count_t read = sf_readf_short(file, sound.samples.data(), info.frames);
    sf_close(file);
    sound.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(read, 0) * info.channels));
    return sound;
}

}  // namespace drossel
