#include "level/Level.h"

#include "io/Error.h"

#include <algorithm>

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

std::vector<std::uint8_t> Level::ReadRecordOfRaw(const ResourceRecord& resource, const RawBlock& block,
                                                 RawLocation& location) const {
    std::vector<std::uint8_t> bytes = ReadData(resource, static_cast<std::int64_t>(block.recordSize));
    location = block.locate(bytes);
    if (location.length > 0) RawHolding(location.offset, location.length);
    return bytes;
}

void Level::CopyRaw(std::int64_t offset, std::int64_t length,
                    const std::function<void(std::span<const std::uint8_t>)>& sink) const {
    constexpr std::int64_t kBlock = std::int64_t{1} << 20;
    RawHolding(offset, length);
    std::vector<std::uint8_t> block(static_cast<std::size_t>(std::min(length, kBlock)));
    for (std::int64_t done = 0; done < length;) {
        const auto n = static_cast<std::size_t>(std::min(length - done, kBlock));
        ReadRaw(offset + done, std::span(block).first(n));
        sink(std::span(block).first(n));
        done += static_cast<std::int64_t>(n);
    }
}

void Level::CloseFiles() const {
    dat_.reset();
    raw_.reset();
}

}  // namespace drossel
