#include "sound/SndfileMemory.h"

#include "io/LoadedLibrary.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace drossel {
namespace {

MemorySoundFile& Of(void* user) {
    return *static_cast<MemorySoundFile*>(user);
}

sf_count_t Length(void* user) {
    const MemorySoundFile& m = Of(user);
    return static_cast<sf_count_t>(m.head.size() + m.tail.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
    MemorySoundFile& m = Of(user);
    const sf_count_t base = whence == SEEK_CUR ? m.at : whence == SEEK_END ? Length(user) : 0;
    m.at = std::clamp<sf_count_t>(base + offset, 0, Length(user));
    return m.at;
}

sf_count_t Read(void* out, sf_count_t count, void* user) {
    MemorySoundFile& m = Of(user);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, Length(user) - m.at);
    auto* o = static_cast<std::uint8_t*>(out);
    for (sf_count_t done = 0; done < n;) {
        const auto headSize = static_cast<sf_count_t>(m.head.size());
        const std::uint8_t* from = m.at < headSize ? m.head.data() + m.at : m.tail.data() + (m.at - headSize);
        const sf_count_t part = std::min(n - done, m.at < headSize ? headSize - m.at : n - done);
        std::memcpy(o + done, from, static_cast<std::size_t>(part));
        done += part;
        m.at += part;
    }
    return n;
}

sf_count_t Write(const void* in, sf_count_t count, void* user) {
    MemorySoundFile& m = Of(user);
    const auto end = static_cast<std::size_t>(m.at + count);
    if (m.head.size() < end) m.head.resize(end);
    std::memcpy(m.head.data() + m.at, in, static_cast<std::size_t>(count));
    m.at += count;
    return count;
}

sf_count_t Tell(void* user) {
    return Of(user).at;
}

struct Sndfile {
    decltype(&sf_open_virtual) openVirtual = nullptr;
    decltype(&sf_close) close = nullptr;
    decltype(&sf_strerror) strerror = nullptr;
    decltype(&sf_readf_short) readShort = nullptr;
    decltype(&sf_readf_float) readFloat = nullptr;
    decltype(&sf_writef_short) writeShort = nullptr;
    decltype(&sf_writef_float) writeFloat = nullptr;
};

const Sndfile& Library() {
    return LoadFunctions<Sndfile>("libsndfile.so.1", [](LoadedLibrary& library, Sndfile& s) {
        library.Find(s.openVirtual, "sf_open_virtual");
        library.Find(s.close, "sf_close");
        library.Find(s.strerror, "sf_strerror");
        library.Find(s.readShort, "sf_readf_short");
        library.Find(s.readFloat, "sf_readf_float");
        library.Find(s.writeShort, "sf_writef_short");
        library.Find(s.writeFloat, "sf_writef_float");
    });
}

}  // namespace

SndfileHandle::SndfileHandle(MemorySoundFile& memory, int mode, SF_INFO& info) {
    try {
        Library();
    } catch (const DrosselError& e) {
        loadError_ = e.what();
        return;
    }
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};  // libsndfile keeps a copy
    file_ = Library().openVirtual(&io, mode, &info, &memory);
}

const char* SndfileHandle::Error() const {
    return loadError_.empty() ? Library().strerror(file_) : loadError_.c_str();
}

sf_count_t SndfileHandle::ReadFrames(short* out, sf_count_t frames) {
    return Library().readShort(file_, out, frames);
}

sf_count_t SndfileHandle::ReadFrames(float* out, sf_count_t frames) {
    return Library().readFloat(file_, out, frames);
}

sf_count_t SndfileHandle::WriteFrames(const short* in, sf_count_t frames) {
    return Library().writeShort(file_, in, frames);
}

sf_count_t SndfileHandle::WriteFrames(const float* in, sf_count_t frames) {
    return Library().writeFloat(file_, in, frames);
}

void SndfileHandle::Close() {
    if (file_ != nullptr) Library().close(file_);
    file_ = nullptr;
}

}  // namespace drossel
