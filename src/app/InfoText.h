#pragma once
// The texts of the "Dat File Info" message and of the "Resource Info" window.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace drossel {

class Level;
struct DatHeader;
struct ResourceRecord;
struct RawSlot;

// The lines of "Dat File Info", without line ends.
std::vector<std::string> DatFileInfoLines(const Level& level);
std::vector<std::string> DatFileInfoLines(const std::string& datPath, const std::string& rawPath,
                                          const DatHeader& header);
// The message text: every line ended by a carriage return and line feed.
std::string DatFileInfoText(const Level& level);

struct InfoField {
    std::string label;  // "Name:", "Size:", ...
    std::string value;
};
// The eight fields of "Resource Info" in the order the window lists them:
// Name, Size, Type, Code, Flags, Data Position, Size in RAW, Offset in RAW
// (the last two from `raw`, Level::RawSlotOf).
std::vector<InfoField> ResourceInfoFields(const ResourceRecord& record, const RawSlot& raw);
// The resource's number: its table index, as the tree's node keys and
// drossel-cli name it. The window shows it above the eight fields.
InfoField ResourceNumberField(std::int32_t index);

}  // namespace drossel
