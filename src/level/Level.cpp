#include "level/Level.h"

#include "io/Error.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <numeric>

namespace drossel {

namespace {

// A kept identifier is the value with this bit set; 0 is "not read yet".
constexpr std::uint64_t kKnown = std::uint64_t{1} << 32;
constexpr std::uint64_t kAbsent = std::uint64_t{1} << 33;

std::optional<std::uint32_t> IdentifierIn(std::uint64_t kept) {
    if (kept == kAbsent) return std::nullopt;
    return static_cast<std::uint32_t>(kept);
}

}  // namespace

// Made when first needed: a command that reads no identifier takes no memory for them.
struct Level::Known {
    std::once_flag made;
    std::unique_ptr<std::atomic<std::uint64_t>[]> identifiers;
    std::atomic<std::size_t> walked{0};  // records the walks have looked at
    std::atomic<bool> built{false};
    std::once_flag indexed;
    IdentifierIndex index;
};

Level::Level(std::string datPath, std::string rawPath, DatHeader header, ResourceTable table, std::int64_t datSize,
             std::vector<KindRawBlock> rawBlocks)
    : datPath_(std::move(datPath)),
      rawPath_(std::move(rawPath)),
      header_(header),
      table_(std::move(table)),
      datSize_(datSize),
      rawBlocks_(std::move(rawBlocks)),
      known_(std::make_unique<Known>()) {}

Level Level::Copy() const {
    return Level(datPath_, rawPath_, header_, table_, datSize_, rawBlocks_);
}

Level::Level(Level&&) noexcept = default;
Level& Level::operator=(Level&&) noexcept = default;
Level::~Level() = default;

void Level::SetRawPath(std::string path) {
    rawPath_ = std::move(path);
    const std::lock_guard lock(*filesMutex_);
    for (auto& [thread, files] : files_) files.raw.reset();
}

Level::Files& Level::FilesOfThisThread() const {
    const std::lock_guard lock(*filesMutex_);
    return files_[std::this_thread::get_id()];  // elements stay where they are as the map grows
}

BinaryFile& Level::Dat() const {
    Files& files = FilesOfThisThread();
    if (!files.dat) files.dat = std::make_unique<BinaryFile>(datPath_);
    return *files.dat;
}

BinaryFile& Level::Raw() const {
    Files& files = FilesOfThisThread();
    if (!files.raw) files.raw = std::make_unique<BinaryFile>(rawPath_);
    return *files.raw;
}

std::vector<std::uint8_t> Level::ReadData(const ResourceRecord& resource, std::int64_t length) const {
    std::vector<std::uint8_t> bytes = Dat().ReadBytes(resource.dataOffset, length);
    if (bytes.size() >= 4) {
        if (const auto position = PositionOf(resource)) Remember(*position, LoadU32(bytes.data()));
    }
    return bytes;
}

std::optional<std::size_t> Level::PositionOf(const ResourceRecord& resource) const {
    const ResourceRecord* first = table_.records.data();
    const ResourceRecord* end = first + table_.records.size();
    if (std::less<>{}(&resource, first) || !std::less<>{}(&resource, end)) return std::nullopt;
    return static_cast<std::size_t>(&resource - first);
}

std::atomic<std::uint64_t>& Level::KeptIdentifier(std::size_t position) const {
    std::call_once(known_->made, [this] {
        known_->identifiers = std::make_unique<std::atomic<std::uint64_t>[]>(table_.records.size());
    });
    return known_->identifiers[position];
}

std::optional<std::uint32_t> Level::Remember(std::size_t position, std::optional<std::uint32_t> identifier) const {
    std::uint64_t kept = 0;
    // The first read wins: every thread sees the same identifier from then on.
    KeptIdentifier(position).compare_exchange_strong(kept, identifier ? kKnown | *identifier : kAbsent);
    return kept == 0 ? identifier : IdentifierIn(kept);
}

std::optional<std::uint32_t> Level::IdentifierOf(const ResourceRecord& resource) const {
    const auto position = PositionOf(resource);
    if (position) {
        const std::uint64_t kept = KeptIdentifier(*position).load(std::memory_order_acquire);
        if (kept != 0) return IdentifierIn(kept);
    }
    std::optional<std::uint32_t> identifier;
    try {
        BinaryFile& dat = Dat();
        if (dat.Contains(resource.dataOffset, 4)) identifier = dat.U32(resource.dataOffset);
    } catch (const std::exception&) {
        return std::nullopt;  // not kept: the file may be readable again later
    }
    return position ? Remember(*position, identifier) : identifier;
}

std::optional<std::int32_t> Level::IndexOf(std::uint32_t identifier) const {
    // The first links a command follows are found by walking the table from its
    // start, reading identifiers as it goes: the tree follows two, and a level's
    // own records tend to come early. Once the walks have looked at as many
    // records as an eighth of the table, the index is built and used instead.
    if (!known_->built.load(std::memory_order_acquire)) {
        const auto& records = table_.records;
        const std::size_t budget = records.size() / 8;
        std::size_t at = 0;
        for (; at < records.size() && known_->walked.fetch_add(1, std::memory_order_relaxed) < budget; ++at) {
            if (IdentifierOf(records[at]) == identifier) return static_cast<std::int32_t>(at);
        }
        if (at == records.size()) return std::nullopt;  // every record looked at: none has it
    }
    std::call_once(known_->indexed, [this] {
        const auto& records = table_.records;
        BinaryFile* dat = nullptr;
        try {
            dat = &Dat();
        } catch (const std::exception&) {
            // A .dat that cannot be opened now resolves nothing it has not read before.
        }
        const auto read = [&](std::size_t at) {
            if (dat == nullptr || KeptIdentifier(at).load(std::memory_order_acquire) != 0) return;
            const std::int64_t offset = records[at].dataOffset;
            Remember(at, dat->Contains(offset, 4) ? std::optional(dat->U32(offset)) : std::nullopt);
        };
        // Read in the order of the data, so the reads go forward through the file.
        const auto byOffset = [](const ResourceRecord& a, const ResourceRecord& b) {
            return a.dataOffset < b.dataOffset;
        };
        if (std::is_sorted(records.begin(), records.end(), byOffset)) {
            for (std::size_t at = 0; at < records.size(); ++at) read(at);
        } else {
            std::vector<std::size_t> order(records.size());
            std::iota(order.begin(), order.end(), std::size_t{0});
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return byOffset(records[a], records[b]); });
            for (const std::size_t at : order) read(at);
        }
        // Unread ones (the file could not be opened) are left out.
        known_->index.Build(records.size(), [this](std::size_t at) -> std::optional<std::uint32_t> {
            const std::uint64_t kept = KeptIdentifier(at).load(std::memory_order_acquire);
            if (kept == 0) return std::nullopt;
            return IdentifierIn(kept);
        });
        known_->built.store(true, std::memory_order_release);
    });
    return known_->index.Find(identifier);
}

const ResourceRecord* Level::Resolve(std::uint32_t identifier) const {
    const auto index = IndexOf(identifier);
    return index ? &table_.records[static_cast<std::size_t>(*index)] : nullptr;
}

RawSlot Level::RawSlotOf(const ResourceRecord& resource) const {
    const RawBlock* block = nullptr;
    for (const KindRawBlock& kind : rawBlocks_) {
        if (kind.tag == resource.tag) block = kind.block;
    }
    if (block == nullptr) return {};
    const auto size = static_cast<std::int64_t>(block->recordSize);
    std::array<std::uint8_t, kLargestRawBlockRecord> bytes;  // the read fills what the record uses
    const auto record = std::span(bytes).first(block->recordSize);
    try {
        BinaryFile& dat = Dat();
        if (!dat.Contains(resource.dataOffset, size)) return {};
        dat.Read(resource.dataOffset, record);
    } catch (const std::exception&) {
        return {};
    }
    if (const auto position = PositionOf(resource)) Remember(*position, LoadU32(record.data()));
    const RawLocation location = block->locate(record);
    return {location.length, location.offset, size};
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
    const std::lock_guard lock(*filesMutex_);
    files_.clear();
}

}  // namespace drossel
