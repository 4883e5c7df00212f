#include "io/BinaryFile.h"

#include "io/Error.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace drossel {
namespace {

constexpr std::int64_t kWindowSize = 64 * 1024;

std::string Describe(const std::string& path, std::int64_t offset, std::int64_t length, std::int64_t size) {
    return "read of " + std::to_string(length) + " bytes at offset " + std::to_string(offset) + " lies outside " +
           path + " (" + std::to_string(size) + " bytes)";
}

}  // namespace

BinaryFile::BinaryFile(const std::string& path) : path_(path) {
    // Non-blocking, so that opening a FIFO returns at once instead of waiting
    // for a writer; the type check below refuses it then.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        throw DrosselError("cannot open " + path + ": " + std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        throw DrosselError("cannot read " + path + ": not a regular file");
    }
    size_ = st.st_size;
}

BinaryFile::~BinaryFile() {
    if (fd_ >= 0) ::close(fd_);
}

void BinaryFile::Fill(std::int64_t offset) {
    if (window_.empty()) window_.resize(kWindowSize);
    const std::int64_t want = std::min<std::int64_t>(kWindowSize, size_ - offset);
    std::int64_t got = 0;
    while (got < want) {
        const ssize_t n =
            ::pread(fd_, window_.data() + got, static_cast<std::size_t>(want - got), static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // The file shrank or the device failed since it was opened.
            windowLength_ = 0;
            throw DrosselError("cannot read " + path_ + " at offset " + std::to_string(offset + got));
        }
        got += n;
    }
    windowStart_ = offset;
    windowLength_ = got;
}

void BinaryFile::Read(std::int64_t offset, std::span<std::uint8_t> out) {
    const auto length = static_cast<std::int64_t>(out.size());
    if (!Contains(offset, length)) throw DrosselError(Describe(path_, offset, length, size_));
    if (length == 0) return;
    if (length > kWindowSize / 2) {
        std::int64_t got = 0;
        while (got < length) {
            const ssize_t n = ::pread(fd_, out.data() + got, static_cast<std::size_t>(length - got),
                                      static_cast<off_t>(offset + got));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw DrosselError("cannot read " + path_ + " at offset " + std::to_string(offset + got));
            got += n;
        }
        return;
    }
    if (offset < windowStart_ || offset + length > windowStart_ + windowLength_) Fill(offset);
    std::memcpy(out.data(), window_.data() + (offset - windowStart_), static_cast<std::size_t>(length));
}

std::vector<std::uint8_t> BinaryFile::ReadBytes(std::int64_t offset, std::int64_t length) {
    if (!Contains(offset, length)) throw DrosselError(Describe(path_, offset, length, size_));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    Read(offset, bytes);
    return bytes;
}

std::uint8_t BinaryFile::U8(std::int64_t offset) {
    std::uint8_t b[1];
    Read(offset, b);
    return b[0];
}

std::uint16_t BinaryFile::U16(std::int64_t offset) {
    std::uint8_t b[2];
    Read(offset, b);
    return LoadU16(b);
}

std::uint32_t BinaryFile::U32(std::int64_t offset) {
    std::uint8_t b[4];
    Read(offset, b);
    return LoadU32(b);
}

std::optional<std::int64_t> BinaryFile::FindZero(std::int64_t offset) {
    if (!Contains(offset, 0)) throw DrosselError(Describe(path_, offset, 1, size_));
    for (std::int64_t at = offset; at < size_; at = windowStart_ + windowLength_) {
        if (at < windowStart_ || at >= windowStart_ + windowLength_) Fill(at);
        const std::uint8_t* begin = window_.data() + (at - windowStart_);
        const auto left = static_cast<std::size_t>(windowStart_ + windowLength_ - at);
        if (const void* zero = std::memchr(begin, 0, left))
            return at + (static_cast<const std::uint8_t*>(zero) - begin);
    }
    return std::nullopt;
}

std::string BinaryFile::ReadZeroTerminated(std::int64_t offset) {
    const std::optional<std::int64_t> zero = FindZero(offset);
    if (!zero) {
        throw DrosselError("text at offset " + std::to_string(offset) + " in " + path_ +
                           " has no zero byte before the end of the file");
    }
    std::string text(static_cast<std::size_t>(*zero - offset), '\0');
    Read(offset, std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
    return text;
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::int64_t limit) {
    BinaryFile file(path);
    if (file.size() > limit) {
        throw DrosselError(path + " holds " + std::to_string(file.size()) + " bytes, more than the " +
                           std::to_string(limit) + " read from such a file");
    }
    return file.ReadBytes(0, file.size());
}

}  // namespace drossel
