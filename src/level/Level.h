#pragma once
// An open level: the paths of its .dat and .raw files, the header, the resource
// table, and reads of a resource's data or of .raw bytes. The files are opened
// on first use and stay open until CloseFiles(); the command shell closes them
// when a command ends, so each command reads the files as they are when it runs.
//
// Loading reads only the header, the descriptors and the names. A resource's
// identifier is read when first asked for (or when its record is first read)
// and kept from then on; the identifier index that resolves links is built
// when a link is first resolved. Every thread may read at once.

#include "io/BinaryFile.h"
#include "level/ResourceTable.h"
#include "level/records/Record.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace drossel {

class Level {
public:
    Level(std::string datPath, std::string rawPath, DatHeader header, ResourceTable table, std::int64_t datSize = 0,
          std::vector<KindRawBlock> rawBlocks = {});
    Level(Level&&) noexcept;
    Level& operator=(Level&&) noexcept;
    ~Level();

    const std::string& datPath() const { return datPath_; }
    const std::string& rawPath() const { return rawPath_; }
    void SetRawPath(std::string path);
    const DatHeader& header() const { return header_; }
    // The size the .dat file had when it was loaded.
    std::int64_t datSize() const { return datSize_; }
    const ResourceTable& table() const { return table_; }
    std::int32_t count() const { return table_.count(); }
    bool Contains(std::int64_t index) const { return table_.Contains(index); }
    const ResourceRecord& at(std::int64_t index) const { return table_.at(index); }
    // The same level, read through files of its own, knowing nothing read yet.
    Level Copy() const;

    // The first record in table order that carries this identifier, or nullptr.
    const ResourceRecord* Resolve(std::uint32_t identifier) const;
    std::optional<std::int32_t> IndexOf(std::uint32_t identifier) const;
    // The resource's identifier (the first four bytes of its data) as first
    // read; unset when its data lies outside the file or cannot be read.
    std::optional<std::uint32_t> IdentifierOf(const ResourceRecord& resource) const;
    // Where the resource's bulk data lies in the .raw file, as its leading
    // record says now (nothing for the kinds without bulk data).
    RawSlot RawSlotOf(const ResourceRecord& resource) const;

    // `length` bytes of the resource's data, from its data offset. Throws
    // DrosselError when the .dat file does not hold them all.
    std::vector<std::uint8_t> ReadData(const ResourceRecord& resource, std::int64_t length) const;
    template <typename Record>
    Record ReadRecord(const ResourceRecord& resource) const {
        return RecordFrom<Record>(ReadData(resource, sizeof(Record)));
    }
    // The record, or nothing when the .dat file does not hold it whole (or
    // cannot be read at all).
    template <typename Record>
    std::optional<Record> TryReadRecord(const ResourceRecord& resource) const;

    // Throws DrosselError, saying where, unless the .raw file holds these bytes:
    // for checking before memory is taken for them.
    void RequireRaw(std::int64_t offset, std::int64_t length) const { RawHolding(offset, length); }
    // Fills `out` from the .raw file at `offset`. Throws DrosselError, saying
    // where, when the bytes do not all lie in the file.
    void ReadRaw(std::int64_t offset, std::span<std::uint8_t> out) const;
    // The leading record of this family and where the .raw bytes it points at
    // lie, checked to lie in the .raw file: what unpacking writes for the kinds
    // with bulk data (a length of 0: none, and the .raw file is not opened).
    std::vector<std::uint8_t> ReadRecordOfRaw(const ResourceRecord& resource, const RawBlock& block,
                                              RawLocation& location) const;
    // Hands the .raw bytes at `offset` to `sink` a block of about a megabyte at a
    // time: bulk data of any length is copied in that much memory.
    void CopyRaw(std::int64_t offset, std::int64_t length,
                 const std::function<void(std::span<const std::uint8_t>)>& sink) const;

    // Closes the files of every thread; no other thread may be reading then.
    void CloseFiles() const;

private:
    BinaryFile& Dat() const;
    BinaryFile& Raw() const;
    // The .raw file, after checking that it holds these bytes.
    BinaryFile& RawHolding(std::int64_t offset, std::int64_t length) const;

    std::string datPath_;
    std::string rawPath_;
    DatHeader header_;
    ResourceTable table_;
    std::int64_t datSize_ = 0;
    std::vector<KindRawBlock> rawBlocks_;
    // Identifiers as first read, and the index built from them.
    struct Known;
    std::unique_ptr<Known> known_;
    std::atomic<std::uint64_t>& KeptIdentifier(std::size_t position) const;
    std::optional<std::size_t> PositionOf(const ResourceRecord& resource) const;
    std::optional<std::uint32_t> Remember(std::size_t position, std::optional<std::uint32_t> identifier) const;
    // Each thread reads through files of its own (a file keeps a read window),
    // so converters may run on several threads at once.
    struct Files {
        std::unique_ptr<BinaryFile> dat;
        std::unique_ptr<BinaryFile> raw;
    };
    Files& FilesOfThisThread() const;
    mutable std::unique_ptr<std::mutex> filesMutex_ = std::make_unique<std::mutex>();
    mutable std::unordered_map<std::thread::id, Files> files_;
};

template <typename Record>
std::optional<Record> Level::TryReadRecord(const ResourceRecord& resource) const {
    try {
        if (!Dat().Contains(resource.dataOffset, sizeof(Record))) return std::nullopt;
        return ReadRecord<Record>(resource);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Closes the level's files when a command ends, on every way out.
class FilesOpenForCommand {
public:
    explicit FilesOpenForCommand(const Level& level) : level_(level) {}
    ~FilesOpenForCommand() { level_.CloseFiles(); }
    FilesOpenForCommand(const FilesOpenForCommand&) = delete;
    FilesOpenForCommand& operator=(const FilesOpenForCommand&) = delete;

private:
    const Level& level_;
};

}  // namespace drossel
