#include "app/Batch.h"
#include "Pictures.h"
#include "app/CommandShell.h"
#include "kinds/KindTable.h"
#include "level/records/BulkRecords.h"
#include "level/records/StringRecords.h"

using namespace drossel;
using namespace drossel::testing;
using std::filesystem::exists;

namespace {

using Locks = std::vector<std::pair<BatchLock, bool>>;
const Locks kWholeFileLocks{{BatchLock::WholeFile, true}, {BatchLock::WholeFile, false}};
const Locks kFolderLocks{{BatchLock::Folder, true}, {BatchLock::Folder, false}};

}  // namespace

// The demo level, and the resources whose skip rules and names are irregular.
TEST(UnpackAll, WritesEveryListedResourceOnceInsideItsFolder) {
    LevelBuilder b = demo::BuildDemoLevel();
    const int demo = b.count();
    for (const char* tag : {"TXMP", "BINA", "OSBD", "SNDD"}) b.AddUnnamed(tag, 96, kHiddenFlags);
    b.resource(b.Add("M3GM", "empty")).sizeField = 0;
    b.AddData("M3GM", "empty_model", {});
    b.AddData("BINA", "broken", RecordWith(&BulkRecord::length, 1 << 30));  // past the end of the .raw file
    b.resource(b.Add("BINA", "shared")).sizeField = 0;
    b.Add("/evl", ".");  // the tag is level data too
    b.Add("M3GM", "twice");
    b.Add("M3GM", "twice");
    OpenedLevel l(b);
    l.ui.folders.push_back(l.Out());  // without the trailing "/": it is added
    const BatchSummary summary = UnpackAll(l.session, l.ui);
    for (int i = 0; i < demo; ++i) {
        const ResourceRecord& r = l.level().at(i);
        EXPECT_EQ(exists(l.Out(std::string(r.name) + "." + r.tag)), r.flags != kHiddenFlags) << r.name;
    }
    for (const char* name : {"File_#8.SNDD", ".._evl", "twice.M3GM", "twice (2).M3GM"})
        EXPECT_TRUE(exists(l.Out(name)));
    EXPECT_EQ(CountFiles(l.Out()), static_cast<std::size_t>(demo - 1 + 4));
    // Skipped: the demo's hidden resource, and six of these.
    EXPECT_EQ(std::tuple(summary.filesWritten, summary.skipped), std::tuple(demo - 1 + 4, 7));
    // The renamed output is said as it happens, and once more, counted, when the run ends.
    ASSERT_EQ(l.ui.warnings.size(), 2u);
    EXPECT_EQ(l.ui.warnings[1], "Status: 1 warning in this run, the last: " + l.ui.warnings[0].substr(8));
    EXPECT_EQ(ReadFileBytes(l.Out("wall_arrow_dxt1.TXMP")).size(), 192u + 64 * 64 / 2);
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_NE(summary.failures[0].find("Cannot unpack broken"), std::string::npos);
    EXPECT_TRUE(l.ui.messages.empty()) << "a batch never stops for a message box";
    EXPECT_TRUE(l.ui.Showed(summary.failures[0]));
    EXPECT_TRUE(l.ui.Showed("Cannot unpack shared: " + PlaceholderReason()));
    EXPECT_TRUE(l.ui.Showed("Unpacking: empty_model"));
    EXPECT_EQ(std::tie(l.session.OutputFolder, l.session.selectedIndex), std::tuple(l.Out(), l.level().count() - 1));
    EXPECT_EQ(l.ui.highestProgress, l.level().count());
    EXPECT_EQ(l.ui.status(), "Status: Unpacked");
    EXPECT_EQ(l.ui.locks, kWholeFileLocks);
}

TEST(ConvertAll, DemoLevelConvertsWhatThisCommandConvertsAndSkipsTheRest) {
    OpenedLevel l(demo::BuildDemoLevel());
    l.ui.folders.push_back(l.Out());
    const BatchSummary summary = ConvertAll(l.session, l.ui);
    for (const ResourceRecord& r : l.level().table().records) {
        const Kind& kind = KindOf(r.tag);
        EXPECT_EQ(l.ui.Showed("Status: Skiping " + std::string(r.name)),
                  !kind.convertAll.included || kind.convert == nullptr)
            << r.name;
    }
    // Sounds lose their name's extension, subtitles and string lists keep it.
    for (const char* name : {"door_open.wav", "crowd_cheer.wav", "intro_subtitles.txt", "menu_strings.txt",
                             "mission_title.txt", "objective_text.txt", "KeyIcons.tga", "title_screen.tga",
                             "wall_arrow_dxt1.tga", "crate_box.lwo", "konoko.lwo", "level1.lwo"}) {
        EXPECT_TRUE(exists(l.Out(name))) << name;
    }
    EXPECT_EQ(std::tuple(summary.filesWritten, CountFiles(l.Out())), std::tuple(82, 82u));
    EXPECT_TRUE(summary.failures.empty()) << summary.failures.front();
    EXPECT_EQ(l.ui.locks, kWholeFileLocks);
}

// The collective text file is claimed like any other output; the texts go to the file the warning names.
TEST(ConvertAll, TheCollectiveTextFileIsClaimedByTheRun) {
    for (const bool listFirst : {false, true}) {
        LevelBuilder b;
        b.AddData("TStr", "a", WithText<TStrRecord>("A"));
        b.AddData("StNA", "Oni_Text_1", BytesOf(StringListHeader{}));
        b.AddData("TStr", "b", WithText<TStrRecord>("B"));
        if (listFirst) std::swap(b.resource(0), b.resource(1));
        OpenedLevel l(b);
        l.session.options.OneTextFile = true;
        l.ui.folders.push_back(l.Out());
        ConvertAll(l.session, l.ui);
        const char* names[] = {"Oni_Text_1.txt", "Oni_Text_1 (2).txt"};
        EXPECT_EQ(ReadFileBytes(l.Out(names[listFirst])), Text("A\r\nB\r\n")) << listFirst;
        EXPECT_EQ(ReadFileBytes(l.Out(names[!listFirst])), Bytes{}) << "the list's own file";
        EXPECT_NE(l.ui.warnings.at(0).find("writing Oni_Text_1 (2).txt instead"), std::string::npos);
    }
}

TEST(ConvertAll, SkipsByNameAndFlagsAndNeverOverwritesItsOwnFiles) {
    LevelBuilder b;
    const int icon = b.AddTexture("KeyIcons", 4, 4, 1, Bytes(32, 0));
    b.AddTexture("<none>", 4, 4, 1, Bytes(32, 0));
    b.AddUnnamed("TXMP", 192, kHiddenFlags);
    std::array<std::uint32_t, 10> icons{};
    icons.fill(LevelBuilder::IdentifierOf(icon));
    b.AddKeyIcons("KeyIcons", icons);
    b.AddTexture("broken", 64, 64, 1, Bytes(10, 0));
    // Written ahead on other threads, each to the name its turn gives it.
    b.AddTexture("twin", 4, 4, 1, Bytes(32, 0));
    b.AddTexture("twin", 8, 4, 1, Bytes(64, 0));
    OpenedLevel l(b);
    l.session.options.Image = ImageFormat::Bmp24;
    l.ui.folders.push_back(l.Out());
    const BatchSummary summary = ConvertAll(l.session, l.ui);
    EXPECT_EQ(CountFiles(l.Out()), 4u);
    for (const auto& [name, width] :
         {std::pair("KeyIcons.bmp", 4), {"KeyIcons (2).bmp", 40}, {"twin.bmp", 4}, {"twin (2).bmp", 8}})
        EXPECT_EQ(ReadWithImageMagick(l.Out(name))->width, width) << name;
    EXPECT_EQ(l.ui.warnings.size(), 3u);
    EXPECT_EQ(summary.skipped, 2);
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_NE(summary.failures[0].find("Cannot convert texture broken"), std::string::npos);
}

// The group decides the routine and the names; the selection is restored, and
// the folder commands' lock taken and given back.
TEST(FolderCommands, UnpackAndConvertAGroup) {
    LevelBuilder b;
    const int texture = b.AddTexture("a<b>c", 4, 4, 1, Bytes(32, 0));
    b.Add("SNDD", "door.aif", 96);
    b.Add("M3GM", "gun<1>");
    b.Add("M3GM", "<none>");
    const int other = b.Add("AKEV", "env");
    OpenedLevel l(b);
    l.session.selectedIndex = other;
    for (const char* key : {"TXMP", "SNDD", "M3GM"}) {
        l.ui.folders.push_back(l.Out());
        UnpackGroup(l.session, l.ui, l.Group(key));
    }
    EXPECT_EQ(ReadFileBytes(l.Out("abc.txmp")).size(), 192u + 32);
    for (const char* name : {"door.sndd", "gun1.M3GM", "none.M3GM"}) EXPECT_TRUE(exists(l.Out(name))) << name;
    EXPECT_EQ(CountFiles(l.Out()), 4u);
    EXPECT_EQ(l.session.selectedIndex, other) << "the selection is restored";
    EXPECT_EQ(l.ui.selectedNodes.front(), std::string("k") += std::to_string(texture));
    EXPECT_EQ(std::tie(l.ui.messages.at(0).title, l.ui.messages[0].text), std::tuple("Success", "Files Unpacked"));
    EXPECT_EQ(l.ui.status(), "Status: ---");
    EXPECT_EQ(l.ui.progressValue, 0);
    // Cancelled: unlocked again, nothing written.
    l.ui.locks.clear();
    EXPECT_EQ(UnpackGroup(l.session, l.ui, l.Group("M3GM")).filesWritten, 0);
    EXPECT_EQ(l.ui.locks, kFolderLocks);
    EXPECT_EQ(l.ui.messages.size(), 3u);

    l.ui.locks.clear();
    l.ui.folders.push_back(l.Out());
    ConvertGroup(l.session, l.ui, l.Group("TXMP"));
    EXPECT_TRUE(exists(l.Out("abc.tga")));
    ASSERT_EQ(l.ui.messages.size(), 4u);
    const RecordedMessage& m = l.ui.messages[3];
    EXPECT_EQ(std::tie(m.title, m.text, m.icon),
              std::tuple("Success!", "All Textures have been exported successfully!", MessageIcon::Information));
    EXPECT_EQ(l.session.selectedIndex, other);
    EXPECT_EQ(l.ui.status(), "Status: ---");
    EXPECT_EQ(l.ui.locks, kFolderLocks);
    // Every resource failing: no success message, but how many failed.
    std::filesystem::remove(l.level().rawPath());
    l.ui.folders.push_back(l.Out());
    EXPECT_EQ(ConvertGroup(l.session, l.ui, l.Group("TXMP")).failures.size(), 1u);
    ASSERT_EQ(l.ui.messages.size(), 5u);
    EXPECT_EQ(std::tie(l.ui.messages[4].text, l.ui.messages[4].icon),
              std::tuple("1 of 1 resources could not be converted.", MessageIcon::Critical));
    // Groups this command does not convert, a resource node and no node: it says so, and asks nothing.
    for (const GroupNode& node : {l.Group("TXAN"), l.Group("AKEV"), GroupNode{"k4", "env", {}}, GroupNode{}}) {
        ConvertGroup(l.session, l.ui, node);
        EXPECT_EQ(l.ui.messages.back().text,
                  "Cannot convert the folder " + node.key + ": its resources are not converted as a folder");
    }
    EXPECT_EQ(l.ui.dialogs.size(), 6u);
}

// Cancelled between resources: every file written so far whole, nothing more
// begun, the counts and the folder batch's silence saying so.
TEST(Batches, CancelEndsAfterTheCurrentResource) {
    LevelBuilder b;
    for (int i = 0; i < 5; ++i) b.AddTexture("t" + std::to_string(i), 4, 4, 1, Bytes(32, static_cast<std::uint8_t>(i)));
    OpenedLevel l(b);
    // A folder where t3.tga would go: written ahead, it cannot be put in place, and no temporary file stays.
    for (const char* folder : {"whole/t3.tga", "group"}) std::filesystem::create_directories(l.Out(folder));
    l.ui.folders = {l.Out("whole"), l.Out()};
    const BatchSummary whole = ConvertAll(l.session, l.ui);
    EXPECT_EQ(BatchSummaryText(whole), "Status: Done: 4 files written, 0 skipped, 1 failed");
    EXPECT_NE(whole.failures.at(0).find("cannot write " + l.Out("whole/t3.tga") + ": Is a directory"),
              std::string::npos);
    EXPECT_EQ(CountFiles(l.Out("whole")), 4u);
    l.ui.cancelAfterFiles = l.ui.writtenFiles.size() + 2;
    const BatchSummary s = ConvertAll(l.session, l.ui);
    EXPECT_EQ(std::tuple(s.cancelled, s.walked, s.toWalk, s.filesWritten, s.folder),
              std::tuple(true, 2, 5, 2, l.Out()));
    EXPECT_EQ(BatchSummaryText(s), "Status: Cancelled after 2 of 5 resources: 2 files written, 0 skipped, 0 failed");
    EXPECT_EQ(CountFiles(l.Out()), 2u);
    for (const char* name : {"t0.tga", "t1.tga"})
        EXPECT_EQ(ReadFileBytes(l.Out(name)), ReadFileBytes(l.Out("whole/") + name));
    l.ui.folders.push_back(l.Out("group"));
    l.ui.cancelAfterFiles = l.ui.writtenFiles.size() + 1;
    const BatchSummary group = ConvertGroup(l.session, l.ui, l.Group("TXMP"));
    EXPECT_EQ(std::tuple(group.cancelled, group.walked, CountFiles(l.Out("group"))), std::tuple(true, 1, 1u));
    EXPECT_TRUE(l.ui.messages.empty()) << "a cancelled folder batch says nothing of success";
}
