#pragma once
// libsndfile on bytes in memory: a file that is `head` followed by `tail`, read
// or written through libsndfile's virtual I/O, and a handle that closes it.
// Writing grows `head` (a file written has no tail).
//
// libsndfile, with the codecs it brings along (FLAC, Vorbis, Opus, MP3), is
// loaded when a sound is first opened: every other command starts without it.

#include <sndfile.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace drossel {

struct MemorySoundFile {
    std::vector<std::uint8_t> head;
    std::span<const std::uint8_t> tail;
    sf_count_t at = 0;
};

class SndfileHandle {
public:
    // Opens the memory file for reading (SFM_READ) or writing (SFM_WRITE); file()
    // is null when libsndfile refused, and Error() says why.
    SndfileHandle(MemorySoundFile& memory, int mode, SF_INFO& info);
    ~SndfileHandle() { Close(); }
    SndfileHandle(const SndfileHandle&) = delete;
    SndfileHandle& operator=(const SndfileHandle&) = delete;

    SNDFILE* file() const { return file_; }
    const char* Error() const;
    // Frames read or written, as libsndfile's sf_readf_* and sf_writef_* give them.
    sf_count_t ReadFrames(short* out, sf_count_t frames);
    sf_count_t ReadFrames(float* out, sf_count_t frames);
    sf_count_t WriteFrames(const short* in, sf_count_t frames);
    sf_count_t WriteFrames(const float* in, sf_count_t frames);
    // Finishes a file written (libsndfile completes its header here).
    void Close();

private:
    SNDFILE* file_ = nullptr;
    std::string loadError_;  // why libsndfile could not be loaded
};

}  // namespace drossel
