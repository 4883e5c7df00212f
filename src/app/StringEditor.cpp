#include "app/StringEditor.h"

#include "io/Error.h"
#include "level/InPlaceEdit.h"
#include "level/Level.h"
#include "level/records/StringRecords.h"
#include "text/Windows1252.h"

#include <cstring>

namespace drossel {
namespace {

// Where the text field lies in the record, and the record's size.
struct Field {
    std::size_t at;
    std::size_t width;
    std::size_t recordSize;
};

Field FieldOf(const ResourceRecord& resource) {
    if (resource.tag == "TStr") return {offsetof(TStrRecord, text), sizeof(TStrRecord::text), sizeof(TStrRecord)};
    if (resource.tag == "IGSt") return {offsetof(IGStRecord, text), sizeof(IGStRecord::text), sizeof(IGStRecord)};
    throw DrosselError(kNotAString);
}

}  // namespace

StringEditor::StringEditor(const Level& level, std::int32_t index) : index_(index) {
    const FilesOpenForCommand files(level);
    const ResourceRecord& resource = level.at(index);
    const Field field = FieldOf(resource);
    if (resource.IsPlaceholder()) throw DrosselError(PlaceholderReason());
    width_ = field.width;
    const auto record = level.ReadData(resource, static_cast<std::int64_t>(field.recordSize));
    text_ = Utf8FromWindows1252(
        CutAtNul(std::string_view(reinterpret_cast<const char*>(record.data()) + field.at, field.width)));
}

void StringEditor::Save(const Level& level, std::string_view text) const {
    const ResourceRecord& resource = level.at(index_);
    const Field field = FieldOf(resource);
    std::string unstorable;
    const auto bytes = Windows1252FromUtf8(text, &unstorable);
    if (!bytes) throw DrosselError("the game's texts cannot hold \"" + unstorable + "\": nothing was saved");
    if (bytes->size() > field.width) {
        throw DrosselError("the text has " + std::to_string(bytes->size()) + " characters, " +
                           std::string(resource.name) + " holds at most " + std::to_string(field.width) +
                           ": nothing was saved");
    }
    try {
        // Only the field: the text, filled with blanks to its width.
        std::vector<std::uint8_t> written(field.width, ' ');
        std::memcpy(written.data(), bytes->data(), bytes->size());
        InPlaceEdit edit(level, index_);
        edit.IntoRecord(static_cast<std::int64_t>(field.at), std::move(written));
        edit.Commit();
    } catch (const std::exception&) {
        RethrowWithContext("Cannot save the text of " + std::string(resource.name));
    }
}

}  // namespace drossel
