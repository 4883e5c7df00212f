#include "Fixture.h"
#include "level/records/LevelRecords.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

// "KEY/NODEKEY" of the node for table index i, or "" when it is not listed.
std::string Where(const ResourceTree& tree, int index) {
    for (const auto& g : tree.groups) {
        for (const auto& r : g.children) {
            if (r.index == index) return g.key + "/" + r.key();
        }
    }
    return "";
}

// A level whose ONLV leads through its environment and octree to its own lists.
LevelBuilder LevelWithEnvironment() {
    LevelBuilder b;
    for (const char* tag : {"PNTA", "TXCA", "IDXA", "PNTA", "TXCA", "IDXA"}) b.Add(tag, "list");       // 0 to 5
    b.AddData("AKOT", "octree", RecordWith(&OctreeRecord::indexList, LevelBuilder::IdentifierOf(2)));  // 6
    EnvironmentRecord env{};
    env.points = LevelBuilder::IdentifierOf(0);
    env.textureCoordinates = LevelBuilder::IdentifierOf(1);
    env.octree = LevelBuilder::IdentifierOf(6);
    b.AddData("AKEV", "environment", BytesOf(env));                                                     // 7
    b.AddData("ONLV", "level1", RecordWith(&LevelRecord::environment, LevelBuilder::IdentifierOf(7)));  // 8
    return b;
}

}  // namespace

TEST(ResourceTree, NormalViewFilesTheLevelsOwnListsUnderLevelChunks) {
    OpenedLevel l(LevelWithEnvironment());
    const ResourceTree normal = BuildNormalView(l.level(), l.ui);
    const char* expected[] = {"LEVL/K0", "LEVL/k1", "LEVL/k2", "PNTA/k3", "TXCA/k4",
                              "IDXA/k5", "LEVL/K6", "LEVL/K7", "ONLV/k8"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Where(normal, i), expected[i]) << i;
    const ResourceTree zephyr = BuildZephyrView(l.level(), l.ui);
    EXPECT_EQ(Where(zephyr, 0), "PNTA/K0");
    EXPECT_EQ(Where(zephyr, 6), "----/k6") << "no level chunks in the Zephyr view";
    // Missing links match no resource: no ONLV; ONLV without environment; environment without octree.
    for (int cut : {0, 1, 2}) {
        LevelBuilder b = LevelWithEnvironment();
        if (cut == 0) b.resource(8).tag = "XXXX";
        if (cut == 1) PutU32(b.resource(8).data, offsetof(LevelRecord, environment), 0x0BADBAD);
        if (cut == 2) PutU32(b.resource(7).data, offsetof(EnvironmentRecord, octree), 0x0BADBAD);
        OpenedLevel cutLevel(b);
        const ResourceTree tree = BuildNormalView(cutLevel.level(), cutLevel.ui);
        EXPECT_EQ(Where(tree, 0), cut == 2 ? "LEVL/K0" : "PNTA/k0") << cut;
        EXPECT_EQ(Where(tree, 2), "IDXA/k2") << cut;
    }
    // The .dat gone since the load: every resource is still listed.
    std::filesystem::remove(l.level().datPath());
    EXPECT_EQ(Where(BuildNormalView(l.level(), l.ui), 0), "PNTA/k0");
}

TEST(ResourceTree, HiddenUnnamedAndUngroupedResources) {
    LevelBuilder b;
    b.resource(b.Add("TXMP", "hidden_texture")).flags = kHiddenFlags;  // 0
    b.AddUnnamed("TXMP");                                              // 1
    b.Add("TSFT", "glyphs");                                           // 2
    b.Add("ZZZZ", "stranger");                                         // 3
    b.Add("AKEV", "env");                                              // 4: a level chunk
    b.AddUnnamed("AKEV");                                              // 5
    b.Add("LEVL", "odd");                                              // 6
    b.Add("UNKN", "odd2");                                             // 7
    for (const char* name : {"s2", "s1", "s0"}) b.Add("SNDD", name);   // 8 to 10
    OpenedLevel l(b);
    const ResourceTree normal = BuildNormalView(l.level(), l.ui);
    EXPECT_EQ(std::tuple(l.ui.progressMaximum, l.ui.highestProgress, l.ui.progressValue), std::tuple(11, 11, 0));
    EXPECT_EQ(l.ui.status(), "Status: Loaded");
    const ResourceTree zephyr = BuildZephyrView(l.level(), l.ui);
    EXPECT_EQ(l.ui.status(), "Loaded");
    const char* normalPlaces[] = {"", "TXMP/k1", "TSFL/k2", "----/k3", "LEVL/K4", "LEVL/K5", "LEVL/k6", "----/k7"};
    const char* zephyrPlaces[] = {"", "UNKN/K1", "----/k2", "----/k3", "----/k4", "UNKN/K5", "LEVL/K6", "UNKN/K7"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Where(normal, i), normalPlaces[i]) << i;
        EXPECT_EQ(Where(zephyr, i), zephyrPlaces[i]) << i;
    }
    EXPECT_EQ(normal.groups.size(), 61u);
    EXPECT_EQ(zephyr.groups.size(), 62u);
    EXPECT_EQ(normal.FindGroup("TXMP")->children[0].text, "File_#2") << "the hidden one is File_#1";
    const auto& sounds = normal.FindGroup("SNDD")->children;
    ASSERT_EQ(sounds.size(), 3u);
    EXPECT_EQ(sounds[0].index, 8) << "table order within a group";
    EXPECT_EQ(sounds[2].index, 10);
}

TEST(ResourceTree, NodeKeysName) {
    EXPECT_EQ(IndexOfNodeKey("k12"), 12);
    EXPECT_EQ(IndexOfNodeKey("K0"), 0);
    for (const char* junk : {"TXMP", "k", "k-1", "k99999999999", "k1x"}) EXPECT_EQ(IndexOfNodeKey(junk), std::nullopt);
}

// The filter keeps resources by name or tag, in any case, and only the groups that keep one.
TEST(ResourceTree, FilterKeepsResourcesByNameOrTag) {
    LevelBuilder b;
    b.Add("SNDD", "Door_Open");  // 0
    b.Add("SNDD", "crowd");      // 1
    b.Add("TXMP", "doormat");    // 2
    b.Add("M3GM", "crate");      // 3
    OpenedLevel l(b);
    const ResourceTree all = BuildZephyrView(l.level(), l.ui);
    const auto shown = [&](std::string_view text) {
        std::string keys;
        for (const auto& g : FilteredTree(all, l.level(), text).groups) {
            keys += g.key + ":";
            for (const auto& r : g.children) keys += r.key() + " ";
        }
        return keys;
    };
    EXPECT_EQ(shown("DOOR"), "SNDD:K0 TXMP:K2 ");
    EXPECT_EQ(shown("sndd"), "SNDD:K0 K1 ");
    EXPECT_EQ(shown("xyz"), "");
    EXPECT_EQ(FilteredTree(all, l.level(), "").groups.size(), all.groups.size());
    // A tree keeps its names: they outlive the level and the tree it was filtered from.
    OpenedLevel other(b);
    const ResourceTree kept = FilteredTree(BuildZephyrView(other.level(), other.ui), other.level(), "door");
    other.session.level.reset();
    EXPECT_EQ(kept.groups.at(1).children.at(0).text, "doormat");
}
