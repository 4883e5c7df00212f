#pragma once
// The program's fixed knowledge of resource kinds: the tree's groups, the level
// chunk tags, and which commands a resource or a group allows. Tags are compared
// exactly, case-sensitively.

#include <cstdint>
#include <span>
#include <string_view>

namespace drossel {

// A four-character tag as one number, for fast exact comparison; 0 for any
// text that is not four characters long.
constexpr std::uint32_t PackTag(std::string_view tag) {
    if (tag.size() != 4) return 0;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(tag[0])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[1])) << 8) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[2])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(tag[3])) << 24);
}

struct GroupInfo {
    std::string_view key;
    std::string_view description;
};

inline constexpr std::string_view kLevelChunksKey = "LEVL";
inline constexpr std::string_view kOtherKey = "----";
inline constexpr std::string_view kUnnamedKey = "UNKN";

// All 62 groups in tree order; the last one (UNKN) appears in the Zephyr view only.
std::span<const GroupInfo> Groups();
bool HasGroup(std::string_view key);
bool IsLevelChunkTag(std::string_view tag);

enum class ResourceClass { UnpackOnly, Convertible, Other };
enum class GroupClass { FolderUnpackOnly, FolderConvertible, Other };

ResourceClass ResourceClassOf(std::string_view tag);
GroupClass GroupClassOf(std::string_view key);

// The four commands whose availability follows the tree selection (with their
// toolbar buttons): Unpack (5), Unpack and Convert (8), Export Folder (6),
// Export and Convert Folder (9).
struct SelectionCommands {
    bool unpack = false;
    bool unpackAndConvert = false;
    bool exportFolder = false;
    bool exportAndConvertFolder = false;
    bool operator==(const SelectionCommands&) const = default;
};

SelectionCommands AfterResourceClick(SelectionCommands before, std::string_view tag);
SelectionCommands AfterGroupClick(SelectionCommands before, std::string_view key);

}  // namespace drossel
