#pragma once
// libsndfile on bytes in memory: a file that is `head` followed by `tail`, read
// or written through libsndfile's virtual I/O, and a handle that closes it.
// Writing grows `head` (a file written has no tail).

#include <sndfile.h>

#include <cstdint>
#include <span>
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
    const char* Error() const { return sf_strerror(file_); }
    // Finishes a file written (libsndfile completes its header here).
    void Close();

private:
    SNDFILE* file_ = nullptr;
};

}  // namespace drossel
