// The session's side of opening, choosing the .raw file and closing.

#include "LevelBuilder.h"
#include "RecordingUserInterface.h"
#include "container/InfoText.h"
#include "container/LoadDat.h"
#include "container/Session.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace drossel;
using namespace drossel::testing;

TEST(OpenLevel, DerivesTheRawPathAndResetsTheLoadOptions) {
    TempDir dir;
    LevelBuilder b;
    b.Add("TXMP", "wall");
    const auto dat = b.Write(dir / "level1_Final");
    std::filesystem::remove(dir / "level1_Final.raw");  // not checked at open
    Session s;
    s.ImageExtension = ".bmp";
    s.ImageBits = 24;
    s.ModelLwoFormat = 70;
    s.CharacterLwoFormat = 65;
    s.LevelFormat = 8;
    s.WeaponLwoFormat = 60;
    s.CharacterGroup = 2;
    s.OneTextFile = true;
    RecordingUserInterface ui;
    ASSERT_EQ(OpenLevel(s, ui, dat), OpenResult::Loaded);
    EXPECT_EQ(s.datPath, dat);
    EXPECT_EQ(s.rawPath, dir / "level1_Final.raw");
    EXPECT_TRUE(s.loaded);
    EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{"Status: Loading..."}));
    EXPECT_EQ(s.ImageExtension, ".tga");
    EXPECT_EQ(s.ImageBits, 32);
    EXPECT_EQ(s.ModelLwoFormat, 65);
    EXPECT_EQ(s.CharacterLwoFormat, 60);
    EXPECT_EQ(s.LevelFormat, 1);
    EXPECT_EQ(s.WavExtension, ".wav");
    // Options a load does not touch.
    EXPECT_EQ(s.WeaponLwoFormat, 60);
    EXPECT_EQ(s.CharacterGroup, 2);
    EXPECT_TRUE(s.OneTextFile);
}

TEST(OpenLevel, AFolderWithADotKeepsItsNameInTheRawPath) {
    TempDir dir;
    std::filesystem::create_directory(dir / "my.levels");
    WriteFileBytes(dir / "my.levels/level1", LevelBuilder{}.BuildDat());
    Session s;
    RecordingUserInterface ui;
    ASSERT_EQ(OpenLevel(s, ui, dir / "my.levels/level1"), OpenResult::Loaded);
    EXPECT_EQ(s.rawPath, dir / "my.levels/level1.raw");
}

TEST(OpenLevel, ARejectedFileEmptiesTheTableAndSaysSo) {
    TempDir dir;
    LevelBuilder b;
    b.Add("TXMP", "wall");
    Session s;
    RecordingUserInterface ui;
    ASSERT_EQ(OpenLevel(s, ui, b.Write(dir / "good")), OpenResult::Loaded);
    WriteFileBytes(dir / "bad.dat", Bytes(100, 7));
    s.ImageBits = 24;
    EXPECT_EQ(OpenLevel(s, ui, dir / "bad.dat"), OpenResult::Rejected);
    EXPECT_EQ(s.table.count(), 0);
    EXPECT_FALSE(s.loaded);
    EXPECT_EQ(ui.status(), "Status: ---");
    EXPECT_EQ(ui.messages.back().text, "This File is not valid a Oni DAT File!");
    EXPECT_EQ(s.ImageBits, 24) << "a refused file resets no option";
}

TEST(ChooseAndOpenLevel, CancellingChangesNothing) {
    Session s;
    s.datPath = "/old.dat";
    s.rawPath = "/old.raw";
    s.table.records.resize(2);
    RecordingUserInterface ui;
    EXPECT_EQ(ChooseAndOpenLevel(s, ui), OpenResult::Cancelled);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].kind, RecordedDialog::Kind::Open);
    EXPECT_EQ(ui.dialogs[0].request.title, "Open Oni Source Dat File...");
    EXPECT_EQ(ui.dialogs[0].request.filter, "Oni, Oni-II Source Dat File (*.dat)|*.dat");
    EXPECT_EQ(s.datPath, "/old.dat");
    EXPECT_EQ(s.rawPath, "/old.raw");
    EXPECT_EQ(s.table.count(), 2);
    EXPECT_TRUE(ui.statusTexts.empty());
}

TEST(ChooseRawFile, TakesTheChoiceOrEmptiesThePathWhenCancelled) {
    Session s;
    s.rawPath = "/levels/level1.raw";
    RecordingUserInterface ui;
    ui.openPaths.push_back("/other/level9.raw");
    ChooseRawFile(s, ui);
    EXPECT_EQ(s.rawPath, "/other/level9.raw");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "RAW File = /other/level9.raw");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.dialogs[0].request.title, "Open Oni raw File...");
    ChooseRawFile(s, ui);
    EXPECT_EQ(s.rawPath, "");
    EXPECT_EQ(ui.messages.size(), 1u) << "no message after a cancel";
}

TEST(CloseLevel, EmptiesTheTableAndKeepsPathsAndOptions) {
    TempDir dir;
    LevelBuilder b;
    b.Add("TXMP", "wall");
    Session s;
    RecordingUserInterface ui;
    ASSERT_EQ(OpenLevel(s, ui, b.Write(dir / "l")), OpenResult::Loaded);
    s.ImageBits = 24;
    CloseLevel(s);
    EXPECT_EQ(s.table.count(), 0);
    EXPECT_FALSE(s.loaded);
    EXPECT_EQ(s.datPath, dir / "l.dat");
    EXPECT_EQ(s.rawPath, dir / "l.raw");
    EXPECT_EQ(s.ImageBits, 24);
}

TEST(InfoText, DatFileInfoLines) {
    TempDir dir;
    LevelBuilder b;
    b.Add("TXMP", "wall");
    b.AddUnnamed("AKEV");
    b.nameCountOverride = 7;
    const auto layout = b.LayoutOf();
    Session s;
    RecordingUserInterface ui;
    ASSERT_EQ(OpenLevel(s, ui, b.Write(dir / "l")), OpenResult::Loaded);
    const std::string expected = "Oni Dat File Info:\r\nName: " + dir / "l.dat" + "\r\nRAW File: " + dir / "l.raw" +
                                 "\r\nID: 870065951\r\nResources: 2\r\nResource Names: 7\r\nFile Data Offset: " +
                                 std::to_string(layout.dataTable - 8) +
                                 "\r\nName Table Offset: " + std::to_string(layout.nameTable) + "\r\n";
    EXPECT_EQ(DatFileInfoText(s), expected);
}

TEST(InfoText, ResourceInfoFields) {
    ResourceRecord r;
    r.name = "wall";
    r.size = 192;
    r.tag = "TXMP";
    r.storedTag = "PMXT";
    r.flags = 0x00300000;
    r.dataOffset = 4095;
    r.rawSize = 0;
    r.rawOffset = 64;  // a texture of an undecoded format: offset but no length
    auto fields = ResourceInfoFields(r);
    ASSERT_EQ(fields.size(), 8u);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"Name:", "wall"},     {"Size:", "192"},           {"Type:", "TXMP"},        {"Code:", "PMXT"},
        {"Flags:", "3145728"}, {"Data Position:", "4096"}, {"Size in RAW:", "None"}, {"Offset in RAW:", "None"}};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(fields[i].label, expected[i].first);
        EXPECT_EQ(fields[i].value, expected[i].second);
    }
    r.rawSize = 32768;
    r.rawOffset = 0;
    r.flags = 0xFFFFFFFE;
    fields = ResourceInfoFields(r);
    EXPECT_EQ(fields[4].value, "-2");
    EXPECT_EQ(fields[6].value, "32768");
    EXPECT_EQ(fields[7].value, "1");
}
