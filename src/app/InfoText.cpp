#include "app/InfoText.h"

#include "level/Level.h"

namespace drossel {

std::vector<std::string> DatFileInfoLines(const std::string& datPath, const std::string& rawPath,
                                          const DatHeader& header) {
    return {
        "Oni Dat File Info:",
        "Name: " + datPath,
        "RAW File: " + rawPath,
        "ID: " + std::to_string(kDatMagic),
        "Resources: " + std::to_string(header.resourceCount),
        "Resource Names: " + std::to_string(header.nameCount),
        "File Data Offset: " + std::to_string(header.dataTableOffset),
        "Name Table Offset: " + std::to_string(header.nameTableOffset),
    };
}

std::vector<std::string> DatFileInfoLines(const Level& level) {
    return DatFileInfoLines(level.datPath(), level.rawPath(), level.header());
}

std::string DatFileInfoText(const Level& level) {
    std::string text;
    for (const auto& line : DatFileInfoLines(level)) text += line + "\r\n";
    return text;
}

std::vector<InfoField> ResourceInfoFields(const ResourceRecord& r, const RawSlot& raw) {
    // A raw location is shown only with a length: a texture of a format without
    // decoded pixels has an offset but nothing to point at.
    const bool hasRaw = raw.size != 0 && raw.offset.has_value();
    return {
        {"Name:", std::string(r.name)},
        {"Size:", std::to_string(r.size)},
        {"Type:", r.tag.str()},
        {"Code:", r.storedTag.str()},
        {"Flags:", std::to_string(static_cast<std::int32_t>(r.flags))},
        {"Data Position:", std::to_string(r.dataOffset + 1)},
        {"Size in RAW:", hasRaw ? std::to_string(raw.size) : "None"},
        {"Offset in RAW:", hasRaw ? std::to_string(std::int64_t{*raw.offset} + 1) : "None"},
    };
}

InfoField ResourceNumberField(std::int32_t index) {
    return {"Number:", std::to_string(index)};
}

}  // namespace drossel
