#include "LevelBuilder.h"
#include "RecordingUserInterface.h"
#include "container/LoadDat.h"
#include "container/ResourceTree.h"
#include "container/Session.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drossel;
using namespace drossel::testing;

namespace {

// A loaded level and its two views.
struct Views {
    TempDir dir;
    Session session;
    RecordingUserInterface ui;
    ResourceTree normal;
    ResourceTree zephyr;

    explicit Views(const LevelBuilder& b) {
        if (OpenLevel(session, ui, b.Write(dir / "level")) != OpenResult::Loaded)
            throw std::runtime_error("load failed");
        normal = BuildNormalView(session, ui);
        zephyr = BuildZephyrView(session, ui);
    }
};

// "KEY/NODEKEY" of the node for table index i, or "" when it is not listed.
std::string Where(const ResourceTree& tree, int index) {
    for (const auto& g : tree.groups) {
        for (const auto& r : g.children) {
            if (r.index == index) return g.key + "/" + r.key;
        }
    }
    return "";
}

// A level whose ONLV leads through environment and octree to its own lists.
LevelBuilder LevelWithEnvironment() {
    LevelBuilder b;
    const int points = b.Add("PNTA", "level_points");    // 0
    const int coords = b.Add("TXCA", "level_uv");        // 1
    const int indices = b.Add("IDXA", "level_indices");  // 2
    b.Add("PNTA", "crate_points");                       // 3
    b.Add("TXCA", "crate_uv");                           // 4
    b.Add("IDXA", "crate_indices");                      // 5
    const int octree = b.Add("AKOT", "octree", 64);      // 6
    PutU32(b.resource(octree).data, 0x14, LevelBuilder::IdentifierOf(indices));
    const int env = b.Add("AKEV", "environment", 128);  // 7
    PutU32(b.resource(env).data, 0x08, LevelBuilder::IdentifierOf(points));
    PutU32(b.resource(env).data, 0x10, LevelBuilder::IdentifierOf(coords));
    PutU32(b.resource(env).data, 0x40, LevelBuilder::IdentifierOf(octree));
    const int level = b.Add("ONLV", "level1", 128);  // 8
    PutU32(b.resource(level).data, 0x48, LevelBuilder::IdentifierOf(env));
    return b;
}

}  // namespace

TEST(NormalView, ListsGroupsInCatalogueOrderWithoutUnnamedGroup) {
    Views v(LevelBuilder{});
    ASSERT_EQ(v.normal.groups.size(), 61u);
    EXPECT_EQ(v.normal.groups.front().key, "BINA");
    EXPECT_EQ(v.normal.groups.back().key, "----");
    EXPECT_EQ(v.normal.groups[4].text, "In-Game Help ");
    ASSERT_EQ(v.zephyr.groups.size(), 62u);
    EXPECT_EQ(v.zephyr.groups.back().key, "UNKN");
    EXPECT_EQ(v.zephyr.groups.back().text, "UnNamed resources");
}

TEST(NormalView, FilesTheLevelsOwnListsUnderLevelChunks) {
    Views v(LevelWithEnvironment());
    EXPECT_EQ(Where(v.normal, 0), "LEVL/K0");
    EXPECT_EQ(Where(v.normal, 1), "LEVL/k1");
    EXPECT_EQ(Where(v.normal, 2), "LEVL/k2");
    EXPECT_EQ(Where(v.normal, 3), "PNTA/k3");
    EXPECT_EQ(Where(v.normal, 4), "TXCA/k4");
    EXPECT_EQ(Where(v.normal, 5), "IDXA/k5");
    EXPECT_EQ(Where(v.normal, 6), "LEVL/K6");
    EXPECT_EQ(Where(v.normal, 7), "LEVL/K7");
    EXPECT_EQ(Where(v.normal, 8), "ONLV/k8");
    // The Zephyr view files by tag only.
    EXPECT_EQ(Where(v.zephyr, 0), "PNTA/K0");
    EXPECT_EQ(Where(v.zephyr, 2), "IDXA/K2");
    EXPECT_EQ(Where(v.zephyr, 6), "----/k6");
}

TEST(NormalView, TheFirstLevelRecordAndFirstIdentifierMatchWin) {
    LevelBuilder b = LevelWithEnvironment();
    const int second = b.Add("ONLV", "level2", 128);  // a later level record is not looked at
    PutU32(b.resource(second).data, 0x48, 0xDEAD);
    Views v(b);
    EXPECT_EQ(Where(v.normal, 0), "LEVL/K0");
    EXPECT_EQ(Where(v.normal, second), "ONLV/k" + std::to_string(second));
}

TEST(NormalView, MissingLevelRecordsMatchNoResource) {
    for (int cut : {0, 1, 2}) {  // no ONLV; ONLV without environment; environment without octree
        LevelBuilder b = LevelWithEnvironment();
        if (cut == 0) b.resource(8).tag = "XXXX";
        if (cut == 1) PutU32(b.resource(8).data, 0x48, 0x0BADBAD);
        if (cut == 2) PutU32(b.resource(7).data, 0x40, 0x0BADBAD);
        Views v(b);
        SCOPED_TRACE(cut);
        EXPECT_EQ(Where(v.normal, 2), "IDXA/k2");
        EXPECT_EQ(Where(v.normal, 0), cut == 2 ? "LEVL/K0" : "PNTA/k0");
        EXPECT_EQ(Where(v.normal, 1), cut == 2 ? "LEVL/k1" : "TXCA/k1");
    }
}

TEST(NormalView, AnUnreadableLevelFileStillListsEveryResource) {
    TempDir dir;
    Session s;
    RecordingUserInterface ui;
    const auto dat = LevelWithEnvironment().Write(dir / "l");
    ASSERT_EQ(OpenLevel(s, ui, dat), OpenResult::Loaded);
    const auto tree = BuildNormalView(s, ui);
    std::filesystem::remove(dat);  // the level's own lists can no longer be found
    const auto without = BuildNormalView(s, ui);
    EXPECT_EQ(without.ResourceCount(), tree.ResourceCount());
    EXPECT_EQ(Where(without, 0), "PNTA/k0");
    EXPECT_EQ(ui.status(), "Status: Loaded");
}

TEST(BothViews, HiddenUnnamedAndUngroupedResources) {
    LevelBuilder b;
    b.Add("TXMP", "hidden_texture");
    b.resource(0).flags = 2;
    b.AddUnnamed("TXMP");          // 1
    b.Add("TSFT", "glyphs");       // 2
    b.Add("ZZZZ", "stranger");     // 3
    b.Add("AKEV", "environment");  // 4: a level chunk
    b.AddUnnamed("AKEV");          // 5
    b.Add("LEVL", "odd");          // 6: a resource tagged with the level group's key
    b.Add("UNKN", "odd2");         // 7
    Views v(b);
    EXPECT_EQ(Where(v.normal, 0), "");
    EXPECT_EQ(Where(v.zephyr, 0), "");
    EXPECT_EQ(Where(v.normal, 1), "TXMP/k1");
    EXPECT_EQ(Where(v.zephyr, 1), "UNKN/K1");
    EXPECT_EQ(v.normal.FindGroup("TXMP")->children[0].text, "File_#2");  // the hidden one is File_#1
    EXPECT_EQ(Where(v.normal, 2), "TSFL/k2");
    EXPECT_EQ(Where(v.zephyr, 2), "----/k2");
    EXPECT_EQ(Where(v.normal, 3), "----/k3");
    EXPECT_EQ(Where(v.zephyr, 3), "----/k3");
    EXPECT_EQ(Where(v.normal, 4), "LEVL/K4");
    EXPECT_EQ(Where(v.zephyr, 4), "----/k4");
    EXPECT_EQ(Where(v.normal, 5), "LEVL/K5");
    EXPECT_EQ(Where(v.zephyr, 5), "UNKN/K5");
    EXPECT_EQ(Where(v.normal, 6), "LEVL/k6");
    EXPECT_EQ(Where(v.normal, 7), "----/k7");
    EXPECT_EQ(Where(v.zephyr, 7), "UNKN/K7");
}

TEST(BothViews, KeepTableOrderWithinAGroupAndDriveTheProgressBar) {
    LevelBuilder b;
    for (int i = 0; i < 5; ++i) b.Add("SNDD", "s" + std::to_string(4 - i));
    TempDir dir;
    Session s;
    RecordingUserInterface ui;
    ASSERT_EQ(OpenLevel(s, ui, b.Write(dir / "l")), OpenResult::Loaded);
    const auto normal = BuildNormalView(s, ui);
    EXPECT_EQ(ui.progressMaximum, 5);
    EXPECT_EQ(ui.highestProgress, 5);
    EXPECT_EQ(ui.progressValue, 0);
    EXPECT_EQ(ui.status(), "Status: Loaded");
    const auto& sounds = normal.FindGroup("SNDD")->children;
    ASSERT_EQ(sounds.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(sounds[static_cast<std::size_t>(i)].index, i);
    BuildZephyrView(s, ui);
    EXPECT_EQ(ui.status(), "Loaded");
    EXPECT_EQ(ui.progressValue, 0);
}

TEST(NodeKeys, BothPrefixesReadTheSameAndJunkIsRefused) {
    EXPECT_EQ(IndexOfNodeKey("k12"), 12);
    EXPECT_EQ(IndexOfNodeKey("K0"), 0);
    EXPECT_EQ(IndexOfNodeKey("TXMP"), std::nullopt);
    EXPECT_EQ(IndexOfNodeKey("k"), std::nullopt);
    EXPECT_EQ(IndexOfNodeKey("k-1"), std::nullopt);
    EXPECT_EQ(IndexOfNodeKey("k99999999999"), std::nullopt);
}
