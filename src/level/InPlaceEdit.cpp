#include "level/InPlaceEdit.h"

#include "io/Error.h"
#include "io/LittleEndian.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace drossel {
namespace {

std::string Range(std::int64_t at, std::int64_t length) {
    return std::to_string(length) + " bytes from byte " + std::to_string(at);
}

bool Inside(std::int64_t at, std::int64_t length, std::int64_t size) {
    return at >= 0 && length >= 0 && at <= size && length <= size - at;
}

// A level file opened for an edit: never created, never truncated. Sizes are
// taken, and every read and write done, through this one descriptor.
class EditedFile {
public:
    EditedFile(const std::string& path, bool writing) : path_(path) {
        fd_ = ::open(path.c_str(), (writing ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) {
            throw DrosselError("cannot open " + path + (writing ? " for writing: " : ": ") + std::strerror(errno) +
                               ": nothing was written");
        }
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd_);
            throw DrosselError(path + " is not a regular file: nothing was written");
        }
        size_ = st.st_size;
    }
    ~EditedFile() { ::close(fd_); }
    EditedFile(const EditedFile&) = delete;
    EditedFile& operator=(const EditedFile&) = delete;

    int fd() const { return fd_; }
    std::int64_t size() const { return size_; }
    const std::string& path() const { return path_; }

    void ReadAt(std::int64_t offset, std::span<std::uint8_t> out) const {
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset) + done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw DrosselError("cannot read " + path_ + ": nothing was written");
            done += static_cast<std::size_t>(n);
        }
    }

private:
    std::string path_;
    int fd_ = -1;
    std::int64_t size_ = 0;
};

}  // namespace

InPlaceEdit::InPlaceEdit(const Level& level, std::int32_t index) : level_(level) {
    AddResource(index);
}

void InPlaceEdit::AddResource(std::int32_t index) {
    const ResourceRecord& resource = level_.at(index);
    if (resource.IsPlaceholder()) throw DrosselError(PlaceholderReason());
    resource_ = &resource;
    resources_.push_back(resource_);
    // What Commit() checks the file against, if nothing has read it before.
    level_.IdentifierOf(resource);
    slot_ = level_.RawSlotOf(resource);
}

void InPlaceEdit::Refuse(const std::string& why) const {
    throw DrosselError(why + ": nothing was written");
}

void InPlaceEdit::RequireInRecord(std::int64_t at, std::int64_t length) const {
    if (!Inside(at, length, resource_->size)) {
        Refuse("the edit's " + Range(at, length) + " lie outside its record, which holds " +
               std::to_string(resource_->size) + " bytes");
    }
    // Damaged descriptors can give two resources the same bytes.
    const std::int64_t begin = resource_->dataOffset + at, end = begin + length;
    for (const ResourceRecord& other : level_.table().records) {
        if (&other == resource_ || other.size <= 0) continue;
        if (begin < other.dataOffset + other.size && other.dataOffset < end) {
            Refuse("the edit's " + Range(at, length) + " of its record belong to " + std::string(other.name) + " too");
        }
    }
}

void InPlaceEdit::RequireInSlot(std::int64_t at, std::int64_t length) const {
    if (!slot_.offset) Refuse("its record names no data in " + level_.rawPath());
    if (slot_.namedBy > resource_->size) {
        Refuse("its record holds " + std::to_string(resource_->size) + " bytes, fewer than the " +
               std::to_string(slot_.namedBy) + " that say where its data lies in " + level_.rawPath());
    }
    if (!Inside(at, length, slot_.size)) {
        Refuse("the edit's " + Range(at, length) + " lie outside its data, which holds " + std::to_string(slot_.size) +
               " bytes");
    }
    level_.RequireRaw(*slot_.offset, slot_.size);
}

void InPlaceEdit::IntoRecord(std::int64_t at, std::vector<std::uint8_t> bytes) {
    RequireInRecord(at, static_cast<std::int64_t>(bytes.size()));
    parts_.push_back({false, resource_->dataOffset + at, std::move(bytes), {}});
}

void InPlaceEdit::IntoSlot(std::int64_t at, std::vector<std::uint8_t> bytes) {
    RequireInSlot(at, static_cast<std::int64_t>(bytes.size()));
    parts_.push_back({true, std::int64_t{*slot_.offset} + at, std::move(bytes), {}});
}

long InPlaceEdit::WriteSome(bool, int fd, std::span<const std::uint8_t> bytes, std::int64_t offset) {
    return ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
}

void InPlaceEdit::WriteAll(int fd, const Part& part, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long n = WriteSome(part.raw, fd, bytes.subspan(done), part.offset + static_cast<std::int64_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            throw DrosselError(std::string("cannot write ") + (part.raw ? level_.rawPath() : level_.datPath()) + ": " +
                               std::strerror(errno));
        }
        done += static_cast<std::size_t>(n);
    }
}

void InPlaceEdit::PutBack(int datFd, int rawFd) {
    std::string failed;
    for (auto part = parts_.rbegin(); part != parts_.rend(); ++part) {
        // A part whose write failed half-way may have changed some of its bytes.
        if (!part->attempted) continue;
        try {
            WriteAll(part->raw ? rawFd : datFd, *part, part->before);
        } catch (const DrosselError& e) {
            failed = e.what();
        }
    }
    for (const int fd : {rawFd, datFd}) {
        if (fd >= 0 && ::fsync(fd) != 0) failed = "cannot flush: " + std::string(std::strerror(errno));
    }
    if (!failed.empty()) throw DrosselError(failed);
}

void InPlaceEdit::Commit() {
    // The read windows of the level's open files would hide what is written.
    level_.CloseFiles();
    bool anyRaw = false, anyDat = false;
    for (const Part& part : parts_) (part.raw ? anyRaw : anyDat) = true;
    // Both files are open for writing before either changes.
    const EditedFile dat(level_.datPath(), anyDat);
    std::unique_ptr<EditedFile> raw;
    if (anyRaw) raw = std::make_unique<EditedFile>(level_.rawPath(), true);

    if (dat.size() != level_.datSize()) {
        throw DrosselError(level_.datPath() + " has changed since it was opened (" + std::to_string(dat.size()) +
                           " bytes, " + std::to_string(level_.datSize()) + " then): nothing was written");
    }
    for (const ResourceRecord* resource : resources_) {
        std::uint8_t identifier[4] = {};
        const auto known = level_.IdentifierOf(*resource);
        const bool held = known && Inside(resource->dataOffset, 4, dat.size());
        if (held) dat.ReadAt(resource->dataOffset, identifier);
        if (!held || LoadU32(identifier) != *known) {
            throw DrosselError(level_.datPath() + " no longer holds " + std::string(resource->name) +
                               " where it was when it was opened: nothing was written");
        }
    }
    for (Part& part : parts_) {
        const EditedFile& file = part.raw ? *raw : dat;
        if (!Inside(part.offset, static_cast<std::int64_t>(part.bytes.size()), file.size())) {
            Refuse("the edit's " + Range(part.offset, static_cast<std::int64_t>(part.bytes.size())) + " lie outside " +
                   file.path() + " (" + std::to_string(file.size()) + " bytes)");
        }
        part.before.resize(part.bytes.size());
        file.ReadAt(part.offset, part.before);
    }

    const int rawFd = raw ? raw->fd() : -1;
    try {
        for (const bool inRaw : {true, false}) {
            for (Part& part : parts_) {
                if (part.raw != inRaw) continue;
                part.attempted = true;
                WriteAll(inRaw ? rawFd : dat.fd(), part, part.bytes);
            }
            const int fd = inRaw ? rawFd : dat.fd();
            if (fd >= 0 && ::fsync(fd) != 0) {
                throw DrosselError("cannot flush " + (inRaw ? level_.rawPath() : level_.datPath()) + ": " +
                                   std::strerror(errno));
            }
        }
    } catch (const DrosselError& e) {
        std::string outcome = "both files were put back as they were";
        try {
            PutBack(dat.fd(), rawFd);
        } catch (const DrosselError& again) {
            outcome = "and putting the files back failed too (" + std::string(again.what()) + ")";
        }
        throw DrosselError(std::string(e.what()) + ": " + outcome);
    }
}

}  // namespace drossel
