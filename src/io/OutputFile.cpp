#include "io/OutputFile.h"

#include "io/Error.h"
#include "io/PathText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace drossel {
namespace {

std::string Reason() {
    return std::strerror(errno);
}

// Writes all the bytes; false, with errno set, when they cannot all be written.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    if (path_.empty()) throw DrosselError("no output file name");
    temp_ = FolderOf(path_) + ".drossel-XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) throw DrosselError("cannot create " + path_ + ": " + Reason());
}

OutputFile::~OutputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.c_str());
    }
}

void OutputFile::Fail() {
    const std::string why = Reason();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    ::unlink(temp_.c_str());
    throw DrosselError("cannot write " + path_ + ": " + why);
}

void OutputFile::Write(std::span<const std::uint8_t> bytes) {
    if (!WriteAll(fd_, bytes)) Fail();
}

void OutputFile::Commit() {
    // mkstemp creates the file readable by its owner only; outputs get the usual mode.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(fd_, 0666 & ~mask);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || std::rename(temp_.c_str(), path_.c_str()) != 0) {
        const std::string why = Reason();
        ::unlink(temp_.c_str());
        throw DrosselError("cannot write " + path_ + ": " + why);
    }
}

void OutputFile::Commit(std::string path) {
    path_ = std::move(path);
    Commit();
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    OutputFile file(path);
    file.Write(bytes);
    file.Commit();
}

void AppendToFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0 && errno == ELOOP) throw DrosselError("cannot append to " + path + ": it is a symbolic link");
    if (fd < 0) throw DrosselError("cannot open " + path + ": " + Reason());
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw DrosselError("cannot append to " + path + ": not a regular file");
    }
    if (!WriteAll(fd, bytes)) {
        const std::string why = Reason();
        (void)::ftruncate(fd, st.st_size);
        ::close(fd);
        throw DrosselError("cannot write " + path + ": " + why);
    }
    if (::close(fd) != 0) throw DrosselError("cannot write " + path + ": " + Reason());
}

}  // namespace drossel
