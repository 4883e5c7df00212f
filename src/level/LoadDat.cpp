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
// from the lowest name entry to the zero byte that ends the highest, and the
// names stay in it (every text ends at or before that zero, however entries
// overlap). Beyond this span (offsets scattered over a huge file) each name is
// read on its own.
constexpr std::int64_t kNameRangeLimit = std::int64_t{64} << 20;
constexpr std::int64_t kNameTail = 4096;

class NameEntries {
public:
    NameEntries(BinaryFile& file, std::int64_t lowest, std::int64_t highest, std::size_t unnamed)
        : file_(file), store_(std::make_shared<NameStore>()), start_(lowest) {
        if (highest >= lowest && highest - lowest <= kNameRangeLimit) ReadRange(highest);
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
            const std::size_t at = Place(offset);
            const std::size_t zero = ZeroFrom(at);
            if (zero != std::string::npos) return std::string_view(store_->range).substr(at, zero - at);
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
    // a control byte must not act as one there. Done once every tag is read and
    // every text's end found: the whole range at once (only names are read
    // from it then), since crafted entries may share or overlap any bytes.
    std::shared_ptr<const NameStore> Clean() {
        // Without branches, so that the compiler can do it many bytes at a time.
        const auto clean = [](std::string& text) {
            for (char& c : text) {
                const auto u = static_cast<unsigned char>(c);
                const bool replaced = u == '/' || static_cast<unsigned char>(u - 1) < 0x1F;  // 1 to 31
                c = replaced ? '_' : c;
            }
        };
        clean(store_->range);
        for (std::string& text : store_->longer) clean(text);
        return std::move(store_);
    }

private:
    // Reads on, doubling, until the highest entry's text has ended.
    void ReadRange(std::int64_t highest) {
        std::string& range = store_->range;
        std::size_t searched = Place(highest + 4);
        std::int64_t end = std::min(file_.size(), highest + 4 + kNameTail);
        while (true) {
            const std::size_t had = range.size();
            range.resize(static_cast<std::size_t>(end - start_));
            file_.Read(start_ + static_cast<std::int64_t>(had),
                       std::span(reinterpret_cast<std::uint8_t*>(range.data()) + had, range.size() - had));
            if (searched < range.size() && range.find('\0', searched) != std::string::npos) return;
            searched = std::max(searched, range.size());
            if (end == file_.size() || end - start_ >= kNameRangeLimit) return;
            end = std::min(file_.size(), start_ + std::min(2 * (end - start_), kNameRangeLimit));
        }
    }

    // Where the first zero byte at or after `at` lies in the range. The span
    // [clearFrom_, zeroAt_) is known to hold none, so entries that share or
    // overlap one text cost one search of it, not one each.
    std::size_t ZeroFrom(std::size_t at) {
        const std::string_view range = store_->range;
        const bool known = zeroAt_ != std::string::npos;
        std::size_t zero = std::string::npos;
        if (known && at >= clearFrom_ && at <= zeroAt_) {
            zero = zeroAt_;
        } else if (known && at < clearFrom_) {
            const std::size_t before = range.substr(at, clearFrom_ - at).find('\0');
            zero = before == std::string::npos ? zeroAt_ : at + before;
        } else {
            zero = range.find('\0', at);
        }
        if (zero == std::string::npos) return zero;
        if (zero == zeroAt_) {
            clearFrom_ = std::min(clearFrom_, at);
        } else {
            clearFrom_ = at;
            zeroAt_ = zero;
        }
        return zero;
    }

    std::size_t Place(std::int64_t offset) const { return static_cast<std::size_t>(offset - start_); }
    bool Holds(std::int64_t offset, std::int64_t length) const {
        return offset >= start_ && offset + length <= start_ + static_cast<std::int64_t>(store_->range.size());
    }

    BinaryFile& file_;
    std::shared_ptr<NameStore> store_;
    std::int64_t start_;
    std::size_t clearFrom_ = 0;
    std::size_t zeroAt_ = std::string::npos;
};

// The header's values, and what the descriptors are read with.
struct TableStart {
    DatHeader header;
    std::int64_t dataBase = 0;  // descriptors' data offsets count from here
    std::int64_t count = 0;
};

TableStart ReadTableStart(BinaryFile& file) {
    const std::int64_t size = file.size();
    if (size < 4 || file.U32(0) != kDatMagic) throw Rejected{"the file does not begin with the level file magic"};
    if (size < kHeaderSize) throw Rejected{"the header is cut short (" + std::to_string(size) + " bytes)"};

    std::array<std::uint8_t, sizeof(DatFileHeader)> headerBytes{};
    file.Read(0, headerBytes);
    const auto stored = RecordFrom<DatFileHeader>(headerBytes);
    TableStart t;
    t.header.resourceCount = stored.resourceCount;
    t.header.nameCount = stored.nameCount;
    t.header.nameTableOffset = stored.nameTableOffset;
    t.dataBase = std::int64_t{stored.dataTableOffset} - 8;
    t.header.dataTableOffset =
        static_cast<std::int32_t>(std::max<std::int64_t>(t.dataBase, std::numeric_limits<std::int32_t>::min()));

    t.count = t.header.resourceCount;
    if (t.count < 0) throw Rejected{"the resource count is negative (" + std::to_string(t.count) + ")"};
    const std::int64_t tableEnd = kDescriptorTableOffset + t.count * kDescriptorSize;
    if (tableEnd > size) {
        throw Rejected{"the table of " + std::to_string(t.count) + " resources needs " + std::to_string(tableEnd) +
                       " bytes, the file has " + std::to_string(size)};
    }
    return t;
}

// Where the named descriptors' name entries lie: lowest at most highest, when any is named.
struct NameBounds {
    std::int64_t lowest = std::numeric_limits<std::int64_t>::max();
    std::int64_t highest = -1;
};

// Hands every descriptor to visit(i, descriptor), in table order, after checking
// that a named one's entry (its tag at least) lies in the file. Read a block at a
// time into the same few pages: every page a load touches for the first time
// costs more than reading it.
template <typename Visit>
NameBounds ReadDescriptors(BinaryFile& file, const TableStart& t, Visit visit) {
    constexpr std::int64_t kBlock = 3200;
    std::vector<std::uint8_t> block(static_cast<std::size_t>(std::min(t.count, kBlock) * kDescriptorSize));
    NameBounds bounds;
    for (std::int64_t i = 0; i < t.count; ++i) {
        if (i % kBlock == 0) {
            const std::int64_t n = std::min(kBlock, t.count - i);
            file.Read(kDescriptorTableOffset + i * kDescriptorSize,
                      std::span(block.data(), static_cast<std::size_t>(n * kDescriptorSize)));
        }
        const auto d = RecordFrom<ResourceDescriptor>(
            std::span(block).subspan(static_cast<std::size_t>((i % kBlock) * kDescriptorSize)));
        if (d.flags == kNamedFlags) {
            const std::int64_t nameOffset = std::int64_t{t.header.nameTableOffset} + d.nameOffset;
            if (!file.Contains(nameOffset, 4)) {
                throw Rejected{"the name of resource " + std::to_string(i) + " lies outside the file (offset " +
                               std::to_string(nameOffset) + ")"};
            }
            bounds.lowest = std::min(bounds.lowest, nameOffset);
            bounds.highest = std::max(bounds.highest, nameOffset);
        }
        visit(static_cast<std::size_t>(i), d);
    }
    return bounds;
}

Level ReadTable(BinaryFile& file, const std::string& datPath, const std::string& rawPath,
                std::span<const KindRawBlock> rawBlocks) {
    const TableStart t = ReadTableStart(file);
    std::vector<ResourceRecord> records(static_cast<std::size_t>(t.count));
    // The name entries' offsets from the name table, kept until every entry's place is known.
    std::vector<std::int32_t> nameOffsets;
    nameOffsets.reserve(records.size());
    const NameBounds bounds = ReadDescriptors(file, t, [&](std::size_t i, const ResourceDescriptor& d) {
        ResourceRecord& r = records[i];
        r.storedTag = Tag(std::string_view(d.storedTag, 4));
        r.dataOffset = t.dataBase + d.dataOffset;
        r.size = d.size;
        r.flags = d.flags;
        if (r.IsNamed()) nameOffsets.push_back(d.nameOffset);
    });

    NameEntries entries(file, bounds.lowest, bounds.highest, records.size() - nameOffsets.size());
    auto nextOffset = nameOffsets.begin();
    std::int64_t unnamed = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        ResourceRecord& r = records[i];
        if (r.IsNamed()) {
            const std::int64_t nameOffset = std::int64_t{t.header.nameTableOffset} + *nextOffset++;
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
    table.names = entries.Clean();
    return Level(datPath, rawPath, t.header, std::move(table), file.size(),
                 std::vector<KindRawBlock>(rawBlocks.begin(), rawBlocks.end()));
}

}  // namespace

Result<Level> LoadDat(const std::string& datPath, const std::string& rawPath, std::span<const KindRawBlock> rawBlocks) {
    try {
        BinaryFile file(datPath);
        return ReadTable(file, datPath, rawPath, rawBlocks);
    } catch (const Rejected& rejected) {
        return Result<Level>::Failure(rejected.reason);
    } catch (const std::exception& e) {
        return Result<Level>::Failure(e.what());
    }
}

Result<DatHeader> LoadDatHeader(const std::string& datPath) {
    try {
        BinaryFile file(datPath);
        const TableStart t = ReadTableStart(file);
        const NameBounds bounds = ReadDescriptors(file, t, [](std::size_t, const ResourceDescriptor&) {});
        // Every text starts at or before the highest entry's, so ends at or before its zero.
        if (bounds.highest < 0 || file.FindZero(bounds.highest + 4)) return t.header;
    } catch (const Rejected& rejected) {
        return Result<DatHeader>::Failure(rejected.reason);
    } catch (const std::exception& e) {
        return Result<DatHeader>::Failure(e.what());
    }
    // Which resource's name runs to the end of the file, the whole table tells.
    Result<Level> level = LoadDat(datPath, "", {});
    if (!level) return Result<DatHeader>::Failure(level.error());
    return level.value().header();
}

}  // namespace drossel
