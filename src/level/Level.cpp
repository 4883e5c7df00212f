#include "level/Level.h"

#include "io/Error.h"

namespace drossel {

Level::Level(std::string datPath, std::string rawPath, DatHeader header, ResourceTable table, std::int64_t datSize)
    : datPath_(std::move(datPath)),
      rawPath_(std::move(rawPath)),
      header_(header),
      table_(std::move(table)),
      datSize_(datSize) {}

Level::Level(Level&&) noexcept = default;
Level& Level::operator=(Level&&) noexcept = default;
Level::~Level() = default;

void Level::SetRawPath(std::string path) {
    rawPath_ = std::move(path);
    raw_.reset();
}

BinaryFile& Level::Dat() const {
    if (!dat_) dat_ = std::make_unique<BinaryFile>(datPath_);
    return *dat_;
}

BinaryFile& Level::Raw() const {
    if (!raw_) raw_ = std::make_unique<BinaryFile>(rawPath_);
    return *raw_;
}

std::vector<std::uint8_t> Level::ReadData(const ResourceRecord& resource, std::int64_t length) const {
    return Dat().ReadBytes(resource.dataOffset, length);
}

BinaryFile& Level::RawHolding(std::int64_t offset, std::int64_t length) const {
    BinaryFile& raw = Raw();
    if (!raw.Contains(offset, length)) {
        throw DrosselError("the " + std::to_string(length) + " bytes of data at offset " + std::to_string(offset) +
                           " lie outside " + rawPath_ + " (" + std::to_string(raw.size()) + " bytes)");
    }
    return raw;
}

void Level::ReadRaw(std::int64_t offset, std::span<std::uint8_t> out) const {
    RawHolding(offset, static_cast<std::int64_t>(out.size())).Read(offset, out);
}

std::vector<std::uint8_t> Level::ReadRecordWithRaw(const ResourceRecord& resource, const RawBlock& block) const {
    std::vector<std::uint8_t> bytes = ReadData(resource, static_cast<std::int64_t>(block.recordSize));
    const RawLocation location = block.locate(bytes);
    // The .raw file is opened only when there is something to read from it, and
    // memory is taken only for bytes that are there.
    if (location.length > 0) {
        RawHolding(location.offset, location.length);
        const std::size_t at = bytes.size();
        bytes.resize(at + static_cast<std::size_t>(location.length));
        ReadRaw(location.offset, std::span(bytes).subspan(at));
    }
    return bytes;
}

void Level::CloseFiles() const {
    dat_.reset();
    raw_.reset();
}

}  // namespace drossel
