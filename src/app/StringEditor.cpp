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
        throw DrosselError("the text has " + std::to_string(bytes->size()) + " characters, " + resource.name +
                           " holds at most " + std::to_string(field.width) + ": nothing was saved");
    }
    const FilesOpenForCommand files(level);
    // The record as the file holds it now, with only the field replaced.
    auto record = level.ReadData(resource, static_cast<std::int64_t>(field.recordSize));
    std::memset(record.data() + field.at, ' ', field.width);
    std::memcpy(record.data() + field.at, bytes->data(), bytes->size());
    InPlaceEdit edit(level);
    edit.IntoDat(resource, 0, record);
    edit.Commit();
}

}  // namespace drossel
