#include "level/LoadDat.h"

#include "io/BinaryFile.h"
#include "level/records/DatFileRecords.h"
#include "level/records/Record.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>

namespace drossel {
namespace {

constexpr auto kHeaderSize = static_cast<std::int64_t>(sizeof(DatFileHeader));
constexpr auto kDescriptorSize = static_cast<std::int64_t>(sizeof(ResourceDescriptor));
constexpr std::string_view kUnnamedPrefix = "File_#";

struct Rejected {
    std::string reason;
};

Tag FourChars(const std::uint8_t* p) {
    return Tag(std::string_view(reinterpret_cast<const char*>(p), 4));
}

// The names lie together in the name table, so they are read as one range:
// from the lowest name entry to a little past the highest, and the names stay
// in it. Beyond this span (offsets scattered over a huge file) each name is
// read on its own.
constexpr std::int64_t kNameRangeLimit = std::int64_t{64} << 20;
constexpr std::int64_t kNameTail = 4096;

class NameEntries {
public:
    NameEntries(BinaryFile& file, std::int64_t lowest, std::int64_t highest, std::size_t unnamed)
        : file_(file), store_(std::make_shared<NameStore>()), start_(lowest) {
        if (highest >= lowest && highest - lowest <= kNameRangeLimit) {
            const std::int64_t end = std::min(file.size(), highest + 4 + kNameTail);
            store_->range.resize(static_cast<std::size_t>(end - lowest));
            file.Read(lowest, std::span(reinterpret_cast<std::uint8_t*>(store_->range.data()), store_->range.size()));
        }
        store_->made.reserve(unnamed * (kUnnamedPrefix.size() + 11));
    }

    // The tag of the entry at `offset`; its four bytes lie in the file.
    Tag TagAt(std::int64_t offset) {
        if (Holds(offset, 4)) return Tag(std::string_view(store_->range).substr(Place(offset), 4));
        std::array<std::uint8_t, 4> tag{};
        file_.Read(offset, tag);
        return FourChars(tag.data());
    }

    // The entry's text, up to the zero byte; throws when the file ends first.
    // It stays where it is until Clean().
    std::string_view TextAt(std::int64_t offset) {
        if (Holds(offset, 0)) {
            const std::string_view rest = std::string_view(store_->range).substr(Place(offset));
            const std::size_t zero = rest.find('\0');
            if (zero != std::string_view::npos) return rest.substr(0, zero);
        }
        return store_->longer.emplace_back(file_.ReadZeroTerminated(offset));
    }

    // "File_#" and the number, for an unnamed record.
    std::string_view Unnamed(std::int64_t number) {
        const std::size_t begin = store_->made.size();
        store_->made.append(kUnnamedPrefix).append(std::to_string(number));
        return std::string_view(store_->made).substr(begin);
    }

    // Names are shown one per line and become parts of file names: a slash or
    // a control byte must not act as one there. Done once every tag is read,
    // since a crafted entry's text may hold another entry's tag.
    std::shared_ptr<const NameStore> Clean(std::span<const ResourceRecord> records) {
        for (const ResourceRecord& r : records) {
            if (!r.IsNamed()) continue;
            for (char& c : std::span(const_cast<char*>(r.name.data()), r.name.size())) {
                if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
            }
        }
        return std::move(store_);
    }

private:
    std::size_t Place(std::int64_t offset) const { return static_cast<std::size_t>(offset - start_); }
    bool Holds(std::int64_t offset, std::int64_t length) const {
        return offset >= start_ && offset + length <= start_ + static_cast<std::int64_t>(store_->range.size());
    }

    BinaryFile& file_;
    std::shared_ptr<NameStore> store_;
    std::int64_t start_;
};

Level ReadTable(BinaryFile& file, const std::string& datPath, const std::string& rawPath,
                std::span<const KindRawBlock> rawBlocks) {
    const std::int64_t size = file.size();
    if (size < kHeaderSize) throw Rejected{"the header is cut short (" + std::to_string(size) + " bytes)"};

    std::array<std::uint8_t, sizeof(DatFileHeader)> headerBytes{};
    file.Read(0, headerBytes);
    const auto stored = RecordFrom<DatFileHeader>(headerBytes);
    DatHeader header;
    header.resourceCount = stored.resourceCount;
    header.nameCount = stored.nameCount;
    header.nameTableOffset = stored.nameTableOffset;
    const std::int64_t dataBase = std::int64_t{stored.dataTableOffset} - 8;
    header.dataTableOffset =
        static_cast<std::int32_t>(std::max<std::int64_t>(dataBase, std::numeric_limits<std::int32_t>::min()));

    const std::int64_t count = header.resourceCount;
    if (count < 0) throw Rejected{"the resource count is negative (" + std::to_string(count) + ")"};
    const std::int64_t tableEnd = kDescriptorTableOffset + count * kDescriptorSize;
    if (tableEnd > size) {
        throw Rejected{"the table of " + std::to_string(count) + " resources needs " + std::to_string(tableEnd) +
                       " bytes, the file has " + std::to_string(size)};
    }

    // Descriptors are read a block at a time into the same few pages: every
    // page a load touches for the first time costs more than reading it.
    constexpr std::int64_t kBlock = 3200;
    std::vector<std::uint8_t> descriptors(static_cast<std::size_t>(std::min(count, kBlock) * kDescriptorSize));
    std::vector<ResourceRecord> records(static_cast<std::size_t>(count));
    // The name entries' offsets from the name table, kept until every entry's place is known.
    std::vector<std::int32_t> nameOffsets;
    nameOffsets.reserve(records.size());
    std::int64_t lowestName = std::numeric_limits<std::int64_t>::max();
    std::int64_t highestName = -1;
    for (std::int64_t i = 0; i < count; ++i) {
        if (i % kBlock == 0) {
            const std::int64_t n = std::min(kBlock, count - i);
            file.Read(kDescriptorTableOffset + i * kDescriptorSize,
                      std::span(descriptors.data(), static_cast<std::size_t>(n * kDescriptorSize)));
        }
        const auto d = RecordFrom<ResourceDescriptor>(
            std::span(descriptors).subspan(static_cast<std::size_t>((i % kBlock) * kDescriptorSize)));
        ResourceRecord& r = records[static_cast<std::size_t>(i)];
        r.storedTag = Tag(std::string_view(d.storedTag, 4));
        r.dataOffset = dataBase + d.dataOffset;
        r.size = d.size;
        r.flags = d.flags;
        if (!r.IsNamed()) continue;
        const std::int64_t nameOffset = std::int64_t{header.nameTableOffset} + d.nameOffset;
        if (!file.Contains(nameOffset, 4)) {
            throw Rejected{"the name of resource " + std::to_string(i) + " lies outside the file (offset " +
                           std::to_string(nameOffset) + ")"};
        }
        lowestName = std::min(lowestName, nameOffset);
        highestName = std::max(highestName, nameOffset);
        nameOffsets.push_back(d.nameOffset);
    }
    descriptors = {};

    NameEntries entries(file, lowestName, highestName, records.size() - nameOffsets.size());
    auto nextOffset = nameOffsets.begin();
    std::int64_t unnamed = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        ResourceRecord& r = records[i];
        if (r.IsNamed()) {
            const std::int64_t nameOffset = std::int64_t{header.nameTableOffset} + *nextOffset++;
            r.tag = entries.TagAt(nameOffset);
            try {
                r.name = entries.TextAt(nameOffset + 4);
            } catch (const DrosselError&) {
                throw Rejected{"the name of resource " + std::to_string(i) +
                               " has no zero byte before the end of the file"};
            }
        } else {
            r.tag = r.storedTag.Reversed();
            r.name = entries.Unnamed(++unnamed);
        }
    }

    ResourceTable table;
    table.records = std::move(records);
    nameOffsets = {};
    table.names = entries.Clean(table.records);
    return Level(datPath, rawPath, header, std::move(table), size,
                 std::vector<KindRawBlock>(rawBlocks.begin(), rawBlocks.end()));
}

}  // namespace

Result<Level> LoadDat(const std::string& datPath, const std::string& rawPath, std::span<const KindRawBlock> rawBlocks) {
    try {
        BinaryFile file(datPath);
        if (file.size() < 4 || file.U32(0) != kDatMagic) {
            return Result<Level>::Failure("the file does not begin with the level file magic");
        }
        return ReadTable(file, datPath, rawPath, rawBlocks);
    } catch (const Rejected& rejected) {
        return Result<Level>::Failure(rejected.reason);
    } catch (const std::exception& e) {
        return Result<Level>::Failure(e.what());
    }
}

}  // namespace drossel
