#include "container/LoadDat.h"

#include "container/BinaryFile.h"
#include "container/Error.h"
#include "container/PathText.h"
#include "container/RawLocationFields.h"
#include "container/Session.h"
#include "container/UserInterface.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace drossel {
namespace {

constexpr std::int64_t kHeaderSize = 48;
constexpr std::int64_t kDescriptorTable = 64;
constexpr std::int64_t kDescriptorSize = 20;

struct Rejected {
    std::string reason;
};

Tag FourChars(const std::uint8_t* p) {
    return Tag(std::string_view(reinterpret_cast<const char*>(p), 4));
}

std::int64_t RawLengthOfTexture(std::int16_t width, std::int16_t height, std::uint32_t format) {
    std::int64_t pixels = std::int64_t{width} * height;
    std::int64_t length = 0;
    switch (format) {
        case 0:
        case 1:
        case 2:
            length = pixels * 2;
            break;
        case 8:
            length = pixels * 4;
            break;
        case 9:
            length = pixels / 2;
            break;  // DXT1: eight bytes per 4x4 block
        default:
            return 0;
    }
    // The length is a 32-bit signed value in the file format's world; anything
    // outside it cannot describe real pixel data.
    if (length < 0 || length > std::numeric_limits<std::int32_t>::max()) return 0;
    return length;
}

// Fills rawSize and rawOffset for the kinds that keep bulk data in the .raw file.
// A block that does not lie inside the file leaves the raw location unset.
enum class BulkKind { None, Sound, Bulk, Subtitles, Texture };

BulkKind BulkKindOf(const Tag& tag) {
    if (tag == "SNDD") return BulkKind::Sound;
    if (tag == "OSBD" || tag == "BINA") return BulkKind::Bulk;
    if (tag == "SUBT") return BulkKind::Subtitles;
    if (tag == "TXMP") return BulkKind::Texture;
    return BulkKind::None;
}

void ReadRawLocation(BinaryFile& file, ResourceRecord& r) {
    const BulkKind kind = BulkKindOf(r.tag);
    RawLocationFields fields{};
    switch (kind) {
        case BulkKind::None:
            return;
        case BulkKind::Sound:
            fields = kSoundFields;
            break;
        case BulkKind::Bulk:
            fields = kBulkFields;
            break;
        case BulkKind::Subtitles:
            fields = kSubtitleFields;
            break;
        case BulkKind::Texture:
            fields = {192, 0, 0x9C};
            break;
    }
    const auto blockSize = static_cast<std::int64_t>(fields.recordSize);
    if (!file.Contains(r.dataOffset, blockSize)) return;
    std::array<std::uint8_t, 192> block{};
    file.Read(r.dataOffset, std::span(block.data(), fields.recordSize));
    const std::uint8_t* b = block.data();
    if (kind == BulkKind::Sound || kind == BulkKind::Bulk) {
        r.rawSize = LoadU32(b + fields.lengthAt);
        r.rawOffset = LoadU32(b + fields.offsetAt);
    } else if (kind == BulkKind::Subtitles) {
        r.rawSize = std::int64_t{LoadU32(b + fields.lengthAt)} * 256;
        r.rawOffset = LoadU32(b + fields.offsetAt);
    } else {
        const auto width = static_cast<std::int16_t>(LoadU16(b + 0x8C));
        const auto height = static_cast<std::int16_t>(LoadU16(b + 0x8E));
        r.rawSize = RawLengthOfTexture(width, height, LoadU32(b + 0x90));
        r.rawOffset = LoadU32(b + fields.offsetAt);
    }
}

void ReadTable(BinaryFile& file, Session& session) {
    const std::int64_t size = file.size();
    if (size < kHeaderSize) throw Rejected{"the header is cut short (" + std::to_string(size) + " bytes)"};

    std::array<std::uint8_t, 28> h{};
    file.Read(20, h);
    DatHeader header;
    header.resourceCount = static_cast<std::int32_t>(LoadU32(h.data() + 0));
    header.nameCount = static_cast<std::int32_t>(LoadU32(h.data() + 4));
    header.unused28 = static_cast<std::int32_t>(LoadU32(h.data() + 8));
    header.dataTableOffset = static_cast<std::int32_t>(LoadU32(h.data() + 12));
    header.unused36 = static_cast<std::int32_t>(LoadU32(h.data() + 16));
    header.nameTableOffset = static_cast<std::int32_t>(LoadU32(h.data() + 20));
    header.unused44 = static_cast<std::int32_t>(LoadU32(h.data() + 24));
    const std::int64_t dataBase = std::int64_t{header.dataTableOffset} - 8;
    header.dataTableOffset =
        static_cast<std::int32_t>(std::max<std::int64_t>(dataBase, std::numeric_limits<std::int32_t>::min()));

    const std::int64_t count = header.resourceCount;
    if (count < 0) throw Rejected{"the resource count is negative (" + std::to_string(count) + ")"};
    const std::int64_t tableEnd = kDescriptorTable + count * kDescriptorSize;
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
            file.Read(kDescriptorTable + i * kDescriptorSize,
                      std::span(descriptors.data(), static_cast<std::size_t>(n * kDescriptorSize)));
        }
        const std::uint8_t* d = descriptors.data() + (i % kBlock) * kDescriptorSize;
        ResourceRecord& r = records.emplace_back();
        r.storedTag = FourChars(d);
        r.dataOffset = dataBase + static_cast<std::int32_t>(LoadU32(d + 4));
        r.nameOffset = std::int64_t{header.nameTableOffset} + static_cast<std::int32_t>(LoadU32(d + 8));
        r.size = static_cast<std::int32_t>(LoadU32(d + 12));
        r.flags = LoadU32(d + 16);
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
            std::replace(r.name.begin(), r.name.end(), '/', '_');
        } else {
            ++unnamed;
            r.tag = r.storedTag.Reversed();
            r.name = "File_#" + std::to_string(unnamed);
        }
    }

    for (ResourceRecord& r : records) {
        if (file.Contains(r.dataOffset, 4)) r.identifier = file.U32(r.dataOffset);
        ReadRawLocation(file, r);
    }

    session.header = header;
    session.table.records = std::move(records);
    session.table.identifiers.Build(session.table.records);
}

}  // namespace

bool LoadDat(Session& session, UserInterface& ui, const std::string& path, std::string* reason) {
    session.table = ResourceTable{};
    session.magic = 0;
    std::string why;
    try {
        BinaryFile file(path);
        if (file.size() >= 4) session.magic = file.U32(0);
        if (session.magic != kDatMagic) {
            why = "the file does not begin with the level file magic";
        } else {
            ReadTable(file, session);
            return true;
        }
    } catch (const Rejected& rejected) {
        why = rejected.reason;
    } catch (const std::exception& e) {
        why = e.what();
    }
    session.table = ResourceTable{};
    session.header = DatHeader{};
    if (reason != nullptr) *reason = why;
    ui.ShowMessage(kNotALevelMessage, kProgramTitle, MessageIcon::Critical);
    return false;
}

OpenResult OpenLevel(Session& session, UserInterface& ui, const std::string& datPath, std::string* reason) {
    session.datPath = datPath;
    session.rawPath = StripExtension(datPath) + ".raw";
    session.table = ResourceTable{};
    const bool ok = LoadDat(session, ui, datPath, reason);
    ui.SetStatusText("Status: Loading...");
    if (!ok) {
        session.loaded = false;
        ui.SetStatusText("Status: ---");
        return OpenResult::Rejected;
    }
    session.loaded = true;
    session.ResetLoadOptions();
    return OpenResult::Loaded;
}

OpenResult ChooseAndOpenLevel(Session& session, UserInterface& ui) {
    const std::string path =
        ui.AskOpenPath({"Open Oni Source Dat File...", "", "Oni, Oni-II Source Dat File (*.dat)|*.dat"});
    if (path.empty()) return OpenResult::Cancelled;
    return OpenLevel(session, ui, path);
}

void ChooseRawFile(Session& session, UserInterface& ui) {
    session.rawPath = ui.AskOpenPath({"Open Oni raw File...", "", "Oni Raw Data File (*.raw)|*.raw"});
    if (!session.rawPath.empty()) {
        ui.ShowMessage("RAW File = " + session.rawPath, kProgramTitle, MessageIcon::Information);
    }
}

void CloseLevel(Session& session) {
    session.table = ResourceTable{};
    session.loaded = false;
}

}  // namespace drossel
