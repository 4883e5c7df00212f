#include "container/ResourceTree.h"

#include "container/BinaryFile.h"
#include "container/Catalogue.h"
#include "container/Session.h"
#include "container/UserInterface.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <unordered_map>

namespace drossel {
namespace {

constexpr std::int64_t kEnvironmentOfLevel = 0x48;
constexpr std::int64_t kEnvironmentBlock = 128;
constexpr std::int64_t kPointsOfEnvironment = 0x08;
constexpr std::int64_t kTexCoordsOfEnvironment = 0x10;
constexpr std::int64_t kOctreeOfEnvironment = 0x40;
constexpr std::int64_t kOctreeBlock = 32;
constexpr std::int64_t kIndexListOfOctree = 0x14;

// Collects nodes into groups found by key, in catalogue order.
class TreeFiller {
public:
    TreeFiller(TreeView view, bool withUnnamedGroup) {
        tree_.view = view;
        auto groups = Groups();
        if (!withUnnamedGroup) groups = groups.first(groups.size() - 1);
        tree_.groups.reserve(groups.size());
        for (const GroupInfo& g : groups) {
            byKey_.emplace(PackTag(g.key), tree_.groups.size());
            tree_.groups.push_back({std::string(g.key), std::string(g.description), {}});
        }
        other_ = byKey_.at(PackTag(kOtherKey));
    }

    // Files the node under the group of this key, or under "Other" with a "k" key
    // when the key has no group.
    void Add(std::string_view groupKey, char prefix, std::int32_t index, const std::string& name) {
        std::size_t group = other_;
        const auto it = byKey_.find(PackTag(groupKey));
        if (it != byKey_.end()) {
            group = it->second;
        } else {
            prefix = 'k';
        }
        char key[16];
        key[0] = prefix;
        const auto end = std::to_chars(key + 1, key + sizeof key, index).ptr;
        tree_.groups[group].children.push_back({std::string(key, end), name, index});
    }

    ResourceTree Take() { return std::move(tree_); }

private:
    ResourceTree tree_;
    std::unordered_map<std::uint32_t, std::size_t> byKey_;
    std::size_t other_ = 0;
};

std::optional<std::uint32_t> ReadLinkedField(BinaryFile& file, const ResourceTable& table, std::uint32_t link,
                                             std::int64_t blockSize, std::int64_t field) {
    const ResourceRecord* target = table.Resolve(link);
    if (target == nullptr || !file.Contains(target->dataOffset, blockSize)) return std::nullopt;
    return file.U32(target->dataOffset + field);
}

bool Matches(const ResourceRecord& r, const std::optional<std::uint32_t>& levelIdentifier) {
    return levelIdentifier && r.identifier && *r.identifier == *levelIdentifier;
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

std::optional<std::int32_t> IndexOfNodeKey(std::string_view key) {
    if (key.size() < 2) return std::nullopt;
    std::int32_t index = 0;
    const auto digits = key.substr(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size() || index < 0) return std::nullopt;
    return index;
}

LevelIdentifiers FindLevelIdentifiers(const Session& session) {
    LevelIdentifiers ids;
    const auto& records = session.table.records;
    const auto level =
        std::find_if(records.begin(), records.end(), [](const ResourceRecord& r) { return r.tag == "ONLV"; });
    if (level == records.end()) return ids;
    try {
        BinaryFile file(session.datPath);
        if (!file.Contains(level->dataOffset, kEnvironmentOfLevel + 4)) return ids;
        const std::uint32_t environment = file.U32(level->dataOffset + kEnvironmentOfLevel);
        const ResourceRecord* env = session.table.Resolve(environment);
        if (env == nullptr || !file.Contains(env->dataOffset, kEnvironmentBlock)) return ids;
        ids.points = file.U32(env->dataOffset + kPointsOfEnvironment);
        ids.textureCoordinates = file.U32(env->dataOffset + kTexCoordsOfEnvironment);
        const std::uint32_t octree = file.U32(env->dataOffset + kOctreeOfEnvironment);
        ids.indexList = ReadLinkedField(file, session.table, octree, kOctreeBlock, kIndexListOfOctree);
    } catch (const std::exception&) {
        // The file changed or vanished since it was loaded: the level's own
        // resources then stay in their groups.
    }
    return ids;
}

ResourceTree BuildNormalView(const Session& session, UserInterface& ui) {
    TreeFiller filler(TreeView::Normal, false);
    const auto& records = session.table.records;
    ui.SetProgressMaximum(static_cast<int>(records.size()));
    const LevelIdentifiers level = FindLevelIdentifiers(session);
    for (std::size_t n = 0; n < records.size(); ++n) {
        const auto i = static_cast<std::int32_t>(n);
        const ResourceRecord& r = records[n];
        if (r.flags != kHiddenFlags) {
            const Tag& t = r.tag;
            if (IsLevelChunkTag(t))
                filler.Add(kLevelChunksKey, 'K', i, r.name);
            else if (t == "PNTA" && Matches(r, level.points))
                filler.Add(kLevelChunksKey, 'K', i, r.name);
            else if (t == "IDXA")
                filler.Add(Matches(r, level.indexList) ? kLevelChunksKey : "IDXA", 'k', i, r.name);
            else if (t == "TXCA")
                filler.Add(Matches(r, level.textureCoordinates) ? kLevelChunksKey : "TXCA", 'k', i, r.name);
            else if (t == "TSFT")
                filler.Add("TSFL", 'k', i, r.name);
            else
                filler.Add(t, 'k', i, r.name);
        }
        ui.SetProgressValue(i + 1);
    }
    ui.SetProgressValue(0);
    ui.SetStatusText("Status: Loaded");
    return filler.Take();
}

ResourceTree BuildZephyrView(const Session& session, UserInterface& ui) {
    TreeFiller filler(TreeView::Zephyr, true);
    const auto& records = session.table.records;
    ui.SetProgressMaximum(static_cast<int>(records.size()));
    for (std::size_t n = 0; n < records.size(); ++n) {
        const auto i = static_cast<std::int32_t>(n);
        const ResourceRecord& r = records[n];
        if (r.flags != kHiddenFlags) {
            // UNKN exists only here, so a resource tagged UNKN lands under it too.
            filler.Add(r.IsNamed() ? std::string_view(r.tag) : kUnnamedKey, 'K', i, r.name);
        }
        ui.SetProgressValue(i + 1);
    }
    ui.SetProgressValue(0);
    ui.SetStatusText("Loaded");
    return filler.Take();
}

ResourceTree BuildView(TreeView view, const Session& session, UserInterface& ui) {
    return view == TreeView::Normal ? BuildNormalView(session, ui) : BuildZephyrView(session, ui);
}

}  // namespace drossel
