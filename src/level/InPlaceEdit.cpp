#include "level/InPlaceEdit.h"

#include "io/BinaryFile.h"
#include "io/Error.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace drossel {
namespace {

// A file opened for writing in place: never created, never truncated.
class FileForEdit {
public:
    explicit FileForEdit(const std::string& path) : path_(path) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) throw DrosselError("cannot open " + path + " for writing: " + std::strerror(errno));
    }
    ~FileForEdit() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileForEdit(const FileForEdit&) = delete;
    FileForEdit& operator=(const FileForEdit&) = delete;

    void WriteAt(std::int64_t offset, std::span<const std::uint8_t> bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset) + done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) Fail(done == 0 ? "cannot write " : "wrote only part of the edit to ");
            done += static_cast<std::size_t>(n);
        }
    }
    void Flush() {
        if (::fsync(fd_) != 0) Fail("cannot flush the edit to ");
        if (::close(fd_) != 0) {
            fd_ = -1;
            Fail("cannot close ");
        }
        fd_ = -1;
    }

private:
    [[noreturn]] void Fail(const std::string& what) { throw DrosselError(what + path_ + ": " + std::strerror(errno)); }
    std::string path_;
    int fd_ = -1;
};

}  // namespace

void InPlaceEdit::IntoDat(const ResourceRecord& resource, std::int64_t at, std::span<const std::uint8_t> bytes) {
    resources_.push_back(&resource);
    writes_.push_back({false, resource.dataOffset + at, {bytes.begin(), bytes.end()}});
}

void InPlaceEdit::IntoRaw(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    writes_.push_back({true, offset, {bytes.begin(), bytes.end()}});
}

void InPlaceEdit::Commit() {
    // The read windows of the level's open files would hide what is written.
    level_.CloseFiles();
    {
        BinaryFile dat(level_.datPath());
        if (dat.size() != level_.datSize()) {
            throw DrosselError(level_.datPath() + " has changed since it was opened (" + std::to_string(dat.size()) +
                               " bytes, " + std::to_string(level_.datSize()) + " then): nothing was written");
        }
        for (const ResourceRecord* r : resources_) {
            if (!r->identifier || !dat.Contains(r->dataOffset, 4) || dat.U32(r->dataOffset) != *r->identifier) {
                throw DrosselError(level_.datPath() + " no longer holds " + r->name +
                                   " where it was when it was opened: nothing was written");
            }
        }
        std::unique_ptr<BinaryFile> raw;
        for (const Write& w : writes_) {
            if (w.raw && !raw) raw = std::make_unique<BinaryFile>(level_.rawPath());
            const BinaryFile& file = w.raw ? *raw : dat;
            if (!file.Contains(w.offset, static_cast<std::int64_t>(w.bytes.size()))) {
                throw DrosselError("the edit's " + std::to_string(w.bytes.size()) + " bytes at offset " +
                                   std::to_string(w.offset) + " lie outside " + file.path() + ": nothing was written");
            }
        }
    }
    for (const bool raw : {false, true}) {
        std::unique_ptr<FileForEdit> file;
        for (const Write& w : writes_) {
            if (w.raw != raw) continue;
            if (!file) file = std::make_unique<FileForEdit>(raw ? level_.rawPath() : level_.datPath());
            file->WriteAt(w.offset, w.bytes);
        }
        if (file) file->Flush();
    }
}

}  // namespace drossel
