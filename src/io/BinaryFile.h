#pragma once
// Read-only access to a file at absolute offsets. Every read is checked against
// the file's size as it was when the file was opened; a read that would go past
// the end throws DrosselError and never touches memory outside the file. Only
// regular files are opened: a FIFO or a device would block or never end.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "io/LittleEndian.h"

namespace drossel {

class BinaryFile {
public:
    explicit BinaryFile(const std::string& path);
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    const std::string& path() const { return path_; }
    std::int64_t size() const { return size_; }

    // True when [offset, offset + length) lies inside the file.
    bool Contains(std::int64_t offset, std::int64_t length) const {
        return offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
    }

    void Read(std::int64_t offset, std::span<std::uint8_t> out);
    std::vector<std::uint8_t> ReadBytes(std::int64_t offset, std::int64_t length);
    std::uint8_t U8(std::int64_t offset);
    std::uint16_t U16(std::int64_t offset);
    std::int16_t I16(std::int64_t offset) { return static_cast<std::int16_t>(U16(offset)); }
    std::uint32_t U32(std::int64_t offset);
    std::int32_t I32(std::int64_t offset) { return static_cast<std::int32_t>(U32(offset)); }

    // Reads single-byte characters from offset up to (not including) the next
    // zero byte. Throws when the file ends before a zero byte.
    std::string ReadZeroTerminated(std::int64_t offset);
    // Where the first zero byte at or after offset lies; nothing when the file ends first.
    std::optional<std::int64_t> FindZero(std::int64_t offset);

private:
    void Fill(std::int64_t offset);

    std::string path_;
    int fd_ = -1;
    std::int64_t size_ = 0;
    // A small read-ahead window: loading touches many small, mostly ascending
    // places, and one system call per field would dominate the load time.
    std::vector<std::uint8_t> window_;
    std::int64_t windowStart_ = 0;
    std::int64_t windowLength_ = 0;
};

// The whole file, for a file the person hands in. Throws DrosselError naming
// the path and the reason when it cannot be read or holds more than `limit` bytes.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::int64_t limit);

}  // namespace drossel
