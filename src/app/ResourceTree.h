#pragma once
// The resource tree as data: group nodes with the resource nodes filed under
// them, in the two ways the program can list a level. The desktop program shows
// it in its tree widget, drossel-cli prints it, and the folder commands walk it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drossel {

class Level;
struct NameStore;
class UserInterface;

struct ResourceNode {
    std::string_view text;  // the resource's name, held by its tree
    std::int32_t index = 0;
    char prefix = 'k';  // "k" or "K": the key's first character

    // The node's key: the prefix followed by the table index.
    std::string key() const;
};

struct GroupNode {
    std::string key;   // a tag, "LEVL", "----" or "UNKN"
    std::string text;  // the group's description
    std::vector<ResourceNode> children;
};

enum class TreeView { Normal, Zephyr };

struct ResourceTree {
    TreeView view = TreeView::Normal;
    std::vector<GroupNode> groups;
    // Where the nodes' texts are kept: the level's names, shared with it.
    std::shared_ptr<const NameStore> names;

    const GroupNode* FindGroup(std::string_view key) const;
    std::size_t ResourceCount() const;
};

// Image numbers of the tree's nodes.
inline constexpr int kGroupImage = 1;
inline constexpr int kSelectedGroupImage = 2;
inline constexpr int kResourceImage = 3;

// The table index a resource node's key names, or nothing for a malformed key.
std::optional<std::int32_t> IndexOfNodeKey(std::string_view key);

// The identifiers of the resources the level itself uses, found through the
// first ONLV record, its environment and its octree. A missing record leaves
// the identifiers it would have given unset: they then match no resource.
struct LevelIdentifiers {
    std::optional<std::uint32_t> points;              // PNTA
    std::optional<std::uint32_t> textureCoordinates;  // TXCA
    std::optional<std::uint32_t> indexList;           // IDXA
};
LevelIdentifiers FindLevelIdentifiers(const Level& level);

// Both build the whole tree in one pass over the table, drive the progress bar
// once per record and end with their status text.
ResourceTree BuildNormalView(const Level& level, UserInterface& ui);
ResourceTree BuildZephyrView(const Level& level, UserInterface& ui);
ResourceTree BuildView(TreeView view, const Level& level, UserInterface& ui);

// The tree with only the resources whose name or tag holds `text`, in any
// case, and only the groups that keep a resource; all of it for an empty text.
ResourceTree FilteredTree(const ResourceTree& tree, const Level& level, std::string_view text);

}  // namespace drossel
