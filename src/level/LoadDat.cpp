#include "level/LoadDat.h"

#include "io/BinaryFile.h"
#include "level/records/DatFileRecords.h"
#include "level/records/Record.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace drossel {
namespace {

constexpr auto kHeaderSize = static_cast<std::int64_t>(sizeof(DatFileHeader));
constexpr auto kDescriptorSize = static_cast<std::int64_t>(sizeof(ResourceDescriptor));

struct Rejected {
    std::string reason;
};

Tag FourChars(const std::uint8_t* p) {
    return Tag(std::string_view(reinterpret_cast<const char*>(p), 4));
}

// Names are shown one per line and become parts of file names: a slash or a
// control byte must not act as one there.
void CleanName(std::string& name) {
    for (char& c : name) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
    }
}

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

    // Descriptors are read a block at a time: the names they lead to lie
    // elsewhere in the file, and the whole table would be megabytes.
    constexpr std::int64_t kBlock = 3200;
    std::vector<std::uint8_t> descriptors(static_cast<std::size_t>(std::min(count, kBlock) * kDescriptorSize));
    std::vector<ResourceRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    std::int64_t unnamed = 0;
    for (std::int64_t i = 0; i < count; ++i) {
        if (i % kBlock == 0) {
            const std::int64_t n = std::min(kBlock, count - i);
            file.Read(kDescriptorTableOffset + i * kDescriptorSize,
                      std::span(descriptors.data(), static_cast<std::size_t>(n * kDescriptorSize)));
        }
        const auto d = RecordFrom<ResourceDescriptor>(
            std::span(descriptors).subspan(static_cast<std::size_t>((i % kBlock) * kDescriptorSize)));
        ResourceRecord& r = records.emplace_back();
        r.storedTag = Tag(std::string_view(d.storedTag, 4));
        r.dataOffset = dataBase + d.dataOffset;
        r.nameOffset = std::int64_t{header.nameTableOffset} + d.nameOffset;
        r.size = d.size;
        r.flags = d.flags;
        if (r.IsNamed()) {
            if (!file.Contains(r.nameOffset, 4)) {
                throw Rejected{"the name of resource " + std::to_string(i) + " lies outside the file (offset " +
                               std::to_string(r.nameOffset) + ")"};
            }
            std::array<std::uint8_t, 4> tag{};
            file.Read(r.nameOffset, tag);
            r.tag = FourChars(tag.data());
            try {
                r.name = file.ReadZeroTerminated(r.nameOffset + 4);
            } catch (const DrosselError&) {
                throw Rejected{"the name of resource " + std::to_string(i) +
                               " has no zero byte before the end of the file"};
            }
            CleanName(r.name);
        } else {
            ++unnamed;
            r.tag = r.storedTag.Reversed();
            r.name = "File_#" + std::to_string(unnamed);
        }
    }

    ResourceTable table;
    table.records = std::move(records);
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
