#include "LevelFixture.h"
#include "container/ResourceTree.h"
#include "extract/Batch.h"
#include "extract/Commands.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

struct BatchLevel {
    TempDir dir;
    LevelBuilder builder;
    Session session;
    RecordingUserInterface ui;
    std::string out;

    BatchLevel() : out(dir / "out") { std::filesystem::create_directory(out); }
    void Open() { session = OpenBuiltLevel(builder, dir); }
    GroupNode Group(const std::string& key) const { return GroupOf(session, key); }
    std::string Out(const std::string& name) const { return out + "/" + name; }
};

}  // namespace

TEST(UnpackAll, DemoLevelGivesOneFilePerListedResource) {
    TempDir dir;
    Session session = OpenDemoLevel(dir);
    const std::string out = dir / "out";
    std::filesystem::create_directory(out);

    RecordingUserInterface ui;
    ui.folders.push_back(out);  // without the trailing "/": it is added
    UnpackAll(session, ui);

    const auto& records = session.table.records;
    std::size_t expected = 0;
    for (const ResourceRecord& r : records) {
        const bool skipped = r.flags == kHiddenFlags && r.tag != "SNDD";
        EXPECT_EQ(Exists(out + "/" + r.name + "." + r.tag), !skipped) << r.name;
        expected += skipped ? 0 : 1;
    }
    EXPECT_EQ(CountFiles(out), expected);
    EXPECT_EQ(expected, records.size() - 1);  // the one hidden resource
    EXPECT_EQ(ui.writtenFiles.size(), expected);
    EXPECT_EQ(ReadFileBytes(out + "/wall_arrow.TXMP").size(), 192u + 64 * 64 * 2);
    EXPECT_EQ(ReadFileBytes(out + "/wall_arrow_bgra32.TXMP").size(), 192u + 64 * 64 * 4);
    EXPECT_EQ(ReadFileBytes(out + "/wall_arrow_dxt1.TXMP").size(), 192u + 64 * 64 / 2);
    EXPECT_EQ(session.OutputFolder, out + "/");
    EXPECT_EQ(session.selectedIndex, session.table.count() - 1);
    EXPECT_EQ(ui.progressMaximum, session.table.count());
    EXPECT_EQ(ui.highestProgress, session.table.count());
    EXPECT_EQ(ui.status(), "Status: Unpacked");
    EXPECT_EQ(ui.locks,
              (std::vector<std::pair<BatchLock, bool>>{{BatchLock::WholeFile, true}, {BatchLock::WholeFile, false}}));
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].request.title, "Select Directory...");
}

TEST(UnpackAll, SkipRulesAndNames) {
    BatchLevel b;
    b.builder.AddUnnamed("TXMP", 192, 2);
    b.builder.AddUnnamed("BINA", 32, 2);
    b.builder.AddUnnamed("OSBD", 32, 2);
    const int hiddenSound = b.builder.AddUnnamed("SNDD", 96, 2);
    const int empty = b.builder.Add("M3GM", "empty_model");
    b.builder.resource(empty).sizeField = 0;
    b.builder.Add("SNDD", "door.aif", 96);
    b.builder.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    const int last = b.builder.Add("ONCC", "konoko");
    b.Open();
    b.ui.folders.push_back(b.out + "/");
    const BatchSummary summary = RunUnpackAll(b.session, b.ui);

    const std::string hiddenSoundName = b.session.table.at(hiddenSound).name;
    EXPECT_TRUE(Exists(b.Out(hiddenSoundName + ".SNDD"))) << "a hidden sound is still unpacked";
    EXPECT_TRUE(Exists(b.Out("door.aif.SNDD")));
    EXPECT_TRUE(Exists(b.Out("wall.TXMP")));
    EXPECT_TRUE(Exists(b.Out("konoko.ONCC")));
    EXPECT_EQ(CountFiles(b.out), 4u);
    EXPECT_EQ(summary.filesWritten, 4);
    EXPECT_EQ(summary.skipped, 4);
    EXPECT_TRUE(summary.failures.empty());
    EXPECT_EQ(b.session.OutputFolder, b.out + "/");
    EXPECT_EQ(b.session.selectedIndex, last);
    // Resources of the generic kind announce themselves before their routine runs.
    const auto& s = b.ui.statusTexts;
    const auto at = std::find(s.begin(), s.end(), "Unpacking: konoko");
    ASSERT_NE(at, s.end());
    ASSERT_NE(at + 1, s.end());
    EXPECT_EQ(*(at + 1), "Status: UnPacking konoko");
    EXPECT_NE(std::find(s.begin(), s.end(), "Unpacking: empty_model"), s.end());
}

TEST(UnpackAll, FailingResourceDoesNotStopTheRun) {
    BatchLevel b;
    Bytes record(32, 0);
    PutU32(record, 8, 4096);  // past the end of the .raw file
    b.builder.AddData("BINA", "broken", record);
    b.builder.Add("M3GM", "fine");
    b.Open();
    b.ui.folders.push_back(b.out);
    const BatchSummary summary = RunUnpackAll(b.session, b.ui);
    EXPECT_TRUE(b.ui.messages.empty()) << "a batch never stops for a message box";
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_NE(summary.failures[0].find("Cannot unpack broken"), std::string::npos);
    const auto& s = b.ui.statusTexts;
    EXPECT_NE(std::find(s.begin(), s.end(), summary.failures[0]), s.end());
    EXPECT_NE(std::find(s.begin(), s.end(), "NONE"), s.end());
    EXPECT_FALSE(Exists(b.Out("broken.BINA")));
    EXPECT_TRUE(Exists(b.Out("fine.M3GM")));
}

TEST(UnpackAll, CancelledFolderChangesNothing) {
    BatchLevel b;
    b.builder.Add("M3GM", "gun");
    b.Open();
    b.session.OutputFolder = "/kept/";
    UnpackAll(b.session, b.ui);
    EXPECT_EQ(b.session.OutputFolder, "/kept/");
    EXPECT_TRUE(b.ui.locks.empty());
    EXPECT_TRUE(b.ui.statusTexts.empty());
    EXPECT_EQ(CountFiles(b.out), 0u);
}

TEST(ExportFolder, TextureGroupUsesLowerCaseExtensionAndDropsAngleBrackets) {
    BatchLevel b;
    b.builder.AddTexture("a<b>c", 4, 4, 1, Bytes(32, 0));
    b.builder.AddTexture("plain", 4, 4, 1, Bytes(32, 0));
    const int other = b.builder.Add("M3GM", "<none>");
    b.Open();
    b.session.selectedIndex = other;
    b.ui.folders.push_back(b.out);
    ExportFolder(b.session, b.ui, b.Group("TXMP"));
    EXPECT_TRUE(Exists(b.Out("abc.txmp")));
    EXPECT_TRUE(Exists(b.Out("plain.txmp")));
    EXPECT_EQ(CountFiles(b.out), 2u);
    EXPECT_EQ(b.session.selectedIndex, other) << "the selection is restored";
    EXPECT_EQ(b.ui.selectedNodes, (std::vector<std::string>{"k0", "k1"}));
    ASSERT_EQ(b.ui.messages.size(), 1u);
    EXPECT_EQ(b.ui.messages[0].title, "Success");
    EXPECT_EQ(b.ui.messages[0].text, "Files Unpacked");
    EXPECT_EQ(b.ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(b.ui.status(), "Status: ---");
    EXPECT_EQ(b.ui.progressValue, 0);
    EXPECT_EQ(b.ui.highestProgress, 2);
    EXPECT_EQ(b.ui.dialogs[0].request.title, "Select directory for unpacking files");
    EXPECT_EQ(b.ui.locks,
              (std::vector<std::pair<BatchLock, bool>>{{BatchLock::Folder, true}, {BatchLock::Folder, false}}));
}

TEST(ExportFolder, SoundsLoseTheirExtensionOtherKindsKeepTheirTag) {
    BatchLevel b;
    b.builder.Add("SNDD", "door.aif", 96);
    b.builder.Add("M3GM", "gun<1>");
    b.Open();
    b.ui.folders = {b.out, b.out};
    ExportFolder(b.session, b.ui, b.Group("SNDD"));
    ExportFolder(b.session, b.ui, b.Group("M3GM"));
    EXPECT_TRUE(Exists(b.Out("door.sndd")));
    EXPECT_TRUE(Exists(b.Out("gun1.M3GM")));
    EXPECT_EQ(CountFiles(b.out), 2u);
}

TEST(ExportFolder, CancelledFolderUnlocksAndWritesNothing) {
    BatchLevel b;
    b.builder.Add("M3GM", "gun");
    b.Open();
    ExportFolder(b.session, b.ui, b.Group("M3GM"));
    EXPECT_EQ(b.ui.locks,
              (std::vector<std::pair<BatchLock, bool>>{{BatchLock::Folder, true}, {BatchLock::Folder, false}}));
    EXPECT_TRUE(b.ui.messages.empty());
    EXPECT_EQ(CountFiles(b.out), 0u);
}
