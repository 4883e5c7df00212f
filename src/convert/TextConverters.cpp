// Strings, subtitle tables and string lists to text files.

#include "convert/Converters.h"
#include "io/LittleEndian.h"
#include "level/records/BulkRecords.h"
#include "level/records/StringRecords.h"

#include <algorithm>

namespace drossel {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kCollectiveTextFile = "Oni_Text_1.txt";
constexpr const char* kTextSeparator = "-----------------------------------------";

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

Conversion TextFile(const std::string& text) {
    Conversion out;
    out.pieces.push_back({.content = BytesOf(text)});
    return out;
}

// The `count` u32 values that follow a list's 32-byte header, each naming a
// text of at most `entryBytes`.
std::vector<std::uint32_t> ListAfterHeader(const Level& level, const ResourceRecord& list, std::int64_t count,
                                           std::int64_t entryBytes) {
    RequireTextSize(count * entryBytes);  // before the list is read
    constexpr std::int64_t kHeader = 32;
    const auto bytes = level.ReadData(list, kHeader + 4 * std::max<std::int64_t>(count, 0));
    std::vector<std::uint32_t> values;
    for (std::size_t at = kHeader; at < bytes.size(); at += 4) values.push_back(LoadU32(bytes.data() + at));
    return values;
}

// The longest line a string of this record makes.
template <typename Record>
constexpr std::int64_t kStringLineBytes = sizeof(Record::text) + 2;

// One line per string the list names, in list order; links that name nothing
// (or a placeholder without data) are skipped.
template <typename Record>
Conversion StringLines(const Level& level, const std::vector<std::uint32_t>& links) {
    std::string text;
    for (std::uint32_t link : links) {
        const ResourceRecord* target = level.Resolve(link);
        if (target == nullptr || target->IsPlaceholder()) continue;
        text += TextOf(level.ReadRecord<Record>(*target).text) + kLineEnd;
    }
    return TextFile(text);
}

}  // namespace

Conversion ConvertString(const Level& level, const ResourceRecord& resource, const Options& options, Progress&) {
    const bool igst = resource.tag == "IGSt";
    const std::string text = igst ? TextOf(level.ReadRecord<IGStRecord>(resource).text)
                                  : TextOf(level.ReadRecord<TStrRecord>(resource).text);
    if (!options.OneTextFile) return TextFile(text);
    // Every text goes to the end of one file in the output folder, whatever name was chosen.
    std::string lines = text + kLineEnd;
    if (igst) lines += std::string(kTextSeparator) + kLineEnd;
    Conversion out;
    out.pieces.push_back({OutputPiece::Place::OutputFolder, kCollectiveTextFile, true, BytesOf(lines)});
    return out;
}

Conversion ConvertSubt(const Level& level, const ResourceRecord& resource, const Options&, Progress&) {
    const auto header = level.ReadRecord<SubtitleRecord>(resource);
    std::string text;
    for (std::uint32_t offset : ListAfterHeader(level, resource, header.entryCount, kSubtitleEntrySize)) {
        std::string entry(kSubtitleEntrySize, ' ');
        level.ReadRaw(std::int64_t{header.textOffset} + offset,
                      std::span(reinterpret_cast<std::uint8_t*>(entry.data()), entry.size()));
        // The entries' own zero terminators become blanks: no zero byte in a text file.
        std::replace(entry.begin(), entry.end(), '\0', ' ');
        text += entry;
    }
    return TextFile(text);
}

Conversion ConvertStna(const Level& level, const ResourceRecord& resource, const Options&, Progress&) {
    const auto header = level.ReadRecord<StringListHeader>(resource);
    return StringLines<TStrRecord>(level, ListAfterHeader(level, resource, header.count, kStringLineBytes<TStrRecord>));
}

Conversion ConvertIgsa(const Level& level, const ResourceRecord& resource, const Options&, Progress&) {
    const auto header = level.ReadRecord<ListHeader>(resource);
    return StringLines<IGStRecord>(level, ListAfterHeader(level, resource, header.count, kStringLineBytes<IGStRecord>));
}

}  // namespace drossel
