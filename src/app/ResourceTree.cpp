#include "app/ResourceTree.h"

#include "app/UserInterface.h"
#include "io/PathText.h"
#include "kinds/KindTable.h"
#include "level/Level.h"
#include "level/records/LevelRecords.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <unordered_map>

namespace drossel {
namespace {

// Collects nodes into groups found by key, in catalogue order.
class TreeFiller {
public:
    explicit TreeFiller(TreeView view) {
        tree_.view = view;
        for (const Kind& kind : Kinds()) {
            if (kind.description.empty() || (kind.zephyrOnly && view != TreeView::Zephyr)) continue;
            byKey_.emplace(PackTag(kind.tag), tree_.groups.size());
            tree_.groups.push_back({kind.tag.str(), std::string(kind.description), {}});
        }
        other_ = byKey_.at(PackTag(kOtherKey));
    }

    // Room for this many nodes, given at once: a level has up to a few hundred
    // thousand, and growing the list one node at a time moves them all.
    void Expect(std::size_t count) { placed_.reserve(count); }

    // Files the node under the group of this key, or under "Other" with a "k" key
    // when the key has no group.
    void Add(std::string_view groupKey, char prefix, std::int32_t index) {
        std::size_t group = other_;
        const auto it = byKey_.find(PackTag(groupKey));
        if (it != byKey_.end()) {
            group = it->second;
        } else {
            prefix = 'k';
        }
        placed_.push_back({index, static_cast<std::uint16_t>(group), prefix});
    }

    // The groups, each given its room at once, the nodes named by these records.
    ResourceTree Take(const ResourceTable& table) {
        const std::vector<ResourceRecord>& records = table.records;
        std::vector<std::size_t> counts(tree_.groups.size(), 0);
        for (const Placed& p : placed_) ++counts[p.group];
        for (std::size_t g = 0; g < counts.size(); ++g) tree_.groups[g].children.reserve(counts[g]);
        for (const Placed& p : placed_) {
            const std::string_view name = records[static_cast<std::size_t>(p.index)].name;
            tree_.groups[p.group].children.push_back({name, p.index, p.prefix});
        }
        tree_.names = table.names;
        placed_ = {};
        return std::move(tree_);
    }

private:
    struct Placed {
        std::int32_t index;
        std::uint16_t group;
        char prefix;
    };
    ResourceTree tree_;
    std::vector<Placed> placed_;
    std::unordered_map<std::uint32_t, std::size_t> byKey_;
    std::size_t other_ = 0;
};

bool Matches(const Level& level, const ResourceRecord& r, const std::optional<std::uint32_t>& levelIdentifier) {
    return levelIdentifier && level.IdentifierOf(r) == levelIdentifier;
}

}  // namespace

const GroupNode* ResourceTree::FindGroup(std::string_view key) const {
    const auto it = std::find_if(groups.begin(), groups.end(), [&](const GroupNode& g) { return g.key == key; });
    return it == groups.end() ? nullptr : &*it;
}

std::size_t ResourceTree::ResourceCount() const {
    std::size_t n = 0;
    for (const auto& g : groups) n += g.children.size();
    return n;
}

std::string ResourceNode::key() const {
    char key[16];
    key[0] = prefix;
    return std::string(key, std::to_chars(key + 1, key + sizeof key, index).ptr);
}

std::optional<std::int32_t> IndexOfNodeKey(std::string_view key) {
    if (key.size() < 2) return std::nullopt;
    std::int32_t index = 0;
    const auto digits = key.substr(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size() || index < 0) return std::nullopt;
    return index;
}

LevelIdentifiers FindLevelIdentifiers(const Level& level) {
    LevelIdentifiers ids;
    const auto& records = level.table().records;
    const auto onlv =
        std::find_if(records.begin(), records.end(), [](const ResourceRecord& r) { return r.tag == "ONLV"; });
    // A record that cannot be read (outside the file, or the file changed or
    // vanished since the load) leaves the level's own lists in their groups.
    if (onlv == records.end()) return ids;
    const auto levelRecord = level.TryReadRecord<LevelRecord>(*onlv);
    const ResourceRecord* environment = levelRecord ? level.Resolve(levelRecord->environment) : nullptr;
    const auto env = environment ? level.TryReadRecord<EnvironmentRecord>(*environment) : std::nullopt;
    if (!env) return ids;
    ids.points = env->points;
    ids.textureCoordinates = env->textureCoordinates;
    const ResourceRecord* octree = level.Resolve(env->octree);
    const auto oct = octree ? level.TryReadRecord<OctreeRecord>(*octree) : std::nullopt;
    if (oct) ids.indexList = oct->indexList;
    return ids;
}

ResourceTree BuildNormalView(const Level& level, UserInterface& ui) {
    const FilesOpenForCommand files(level);
    TreeFiller filler(TreeView::Normal);
    const auto& records = level.table().records;
    filler.Expect(records.size());
    ui.SetProgressMaximum(static_cast<int>(records.size()));
    const LevelIdentifiers own = FindLevelIdentifiers(level);
    for (std::size_t n = 0; n < records.size(); ++n) {
        const auto i = static_cast<std::int32_t>(n);
        const ResourceRecord& r = records[n];
        if (r.flags != kHiddenFlags) {
            const Tag& t = r.tag;
            const std::string_view fileUnder = KindOf(t).fileUnder;
            // The level's own point, index and texture coordinate lists join
            // its chunks; their keys keep the prefixes they always had.
            if (fileUnder == kLevelChunksKey || (t == "PNTA" && Matches(level, r, own.points)))
                filler.Add(kLevelChunksKey, 'K', i);
            else if ((t == "IDXA" && Matches(level, r, own.indexList)) ||
                     (t == "TXCA" && Matches(level, r, own.textureCoordinates)))
                filler.Add(kLevelChunksKey, 'k', i);
            else
                filler.Add(fileUnder.empty() ? std::string_view(t) : fileUnder, 'k', i);
        }
        ui.SetProgressValue(i + 1);
    }
    ui.SetProgressValue(0);
    ui.SetStatusText("Status: Loaded");
    return filler.Take(level.table());
}

ResourceTree BuildZephyrView(const Level& level, UserInterface& ui) {
    TreeFiller filler(TreeView::Zephyr);
    const auto& records = level.table().records;
    filler.Expect(records.size());
    ui.SetProgressMaximum(static_cast<int>(records.size()));
    for (std::size_t n = 0; n < records.size(); ++n) {
        const auto i = static_cast<std::int32_t>(n);
        const ResourceRecord& r = records[n];
        if (r.flags != kHiddenFlags) {
            // UNKN exists only here, so a resource tagged UNKN lands under it too.
            filler.Add(r.IsNamed() ? std::string_view(r.tag) : kUnnamedKey, 'K', i);
        }
        ui.SetProgressValue(i + 1);
    }
    ui.SetProgressValue(0);
    ui.SetStatusText("Loaded");
    return filler.Take(level.table());
}

ResourceTree BuildView(TreeView view, const Level& level, UserInterface& ui) {
    return view == TreeView::Normal ? BuildNormalView(level, ui) : BuildZephyrView(level, ui);
}

ResourceTree FilteredTree(const ResourceTree& tree, const Level& level, std::string_view text) {
    if (text.empty()) return tree;
    const std::string wanted = LowerCase(text);
    // Names are mostly shorter than a small string's room: the lowered copy
    // costs no allocation, and 100,000 names take a few milliseconds.
    const auto holds = [&wanted](std::string_view value) { return LowerCase(value).find(wanted) != std::string::npos; };
    ResourceTree shown{tree.view, {}, tree.names};
    for (const GroupNode& group : tree.groups) {
        GroupNode kept{group.key, group.text, {}};
        for (const ResourceNode& node : group.children) {
            const ResourceRecord* record = level.Contains(node.index) ? &level.at(node.index) : nullptr;
            if (holds(node.text) || (record != nullptr && holds(record->tag.view()))) kept.children.push_back(node);
        }
        if (!kept.children.empty()) shown.groups.push_back(std::move(kept));
    }
    return shown;
}

}  // namespace drossel
