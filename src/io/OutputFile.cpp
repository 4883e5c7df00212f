#include "io/OutputFile.h"

#include "io/Error.h"

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

}  // namespace

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (path.empty()) throw DrosselError("no output file name");
    std::string temp = path + ".drossel-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) throw DrosselError("cannot create " + path + ": " + Reason());
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string why = Reason();
            ::close(fd);
            ::unlink(temp.c_str());
            throw DrosselError("cannot write " + path + ": " + why);
        }
        written += static_cast<std::size_t>(n);
    }
    // mkstemp creates the file readable by its owner only; outputs get the usual mode.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(fd, 0666 & ~mask);
    if (::close(fd) != 0 || std::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string why = Reason();
        ::unlink(temp.c_str());
        throw DrosselError("cannot write " + path + ": " + why);
    }
}

void AppendToFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) throw DrosselError("cannot open " + path + ": " + Reason());
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw DrosselError("cannot append to " + path + ": not a regular file");
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string why = Reason();
            (void)::ftruncate(fd, st.st_size);
            ::close(fd);
            throw DrosselError("cannot write " + path + ": " + why);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) throw DrosselError("cannot write " + path + ": " + Reason());
}

}  // namespace drossel
