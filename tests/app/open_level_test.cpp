// The session's side of opening, choosing the .raw file and closing, and the
// information texts of an open level.

#include "Fixture.h"
#include "app/InfoText.h"
#include "app/OpenLevel.h"

using namespace drossel;
using namespace drossel::testing;

TEST(OpenLevel, LoadsChoosesTheRawFileRefusesAndCloses) {
    TempDir dir;
    std::filesystem::create_directory(dir / "my.levels");
    const std::string dat = LevelBuilder{}.Write(dir / "my.levels/level1_Final");
    std::filesystem::remove(dir / "my.levels/level1_Final.raw");  // not checked at open
    Session s;
    s.options = {ImageFormat::Bmp24, 70, 65, 60, 2, 8, ".wav", true, true};
    RecordingUserInterface ui;
    ASSERT_EQ(OpenLevel(s, ui, dat), OpenResult::Loaded);
    EXPECT_EQ(s.level->rawPath(), dir / "my.levels/level1_Final.raw");
    EXPECT_EQ(ui.statusTexts, std::vector<std::string>{"Status: Loading..."});
    const Options& o = s.options;
    // Textures, 3D objects, characters' layout and level format are reset; the
    // weapon layout, the character group and the text file choice stay.
    EXPECT_EQ(std::tuple(o.Image, o.ModelLwoFormat, o.CharacterLwoFormat, o.LevelFormat),
              std::tuple(ImageFormat::Tga32, 65, 60, 1));
    EXPECT_EQ(std::tuple(o.WeaponLwoFormat, o.CharacterGroup, o.OneTextFile, o.DeleteGarbage),
              std::tuple(60, 2, true, true));

    EXPECT_EQ(ChooseAndOpenLevel(s, ui), OpenResult::Cancelled);
    EXPECT_EQ(ui.dialogs.at(0).kind, RecordedDialog::Kind::Open);
    EXPECT_TRUE(s.level.has_value()) << "cancelling changes nothing";
    ui.openPaths.push_back("/other/level9.raw");
    ChooseRawFile(s, ui);
    EXPECT_EQ(s.level->rawPath(), "/other/level9.raw");
    EXPECT_EQ(std::tie(ui.messages.at(0).text, ui.messages[0].icon),
              std::tuple("RAW File = /other/level9.raw", MessageIcon::Information));
    ChooseRawFile(s, ui);
    EXPECT_EQ(s.level->rawPath(), "");
    EXPECT_EQ(ui.messages.size(), 1u) << "no message after a cancel";

    // A refused file leaves the open level open and unchanged, and says why after the old message.
    EXPECT_EQ(MissingRawText(*s.level),
              "Status: Loaded, but no .raw file is chosen: textures and sounds cannot be converted");
    s.level->SetRawPath(dir / "my.levels/level1_Final.raw");
    EXPECT_EQ(MissingRawText(*s.level), "Status: Loaded, but " + dir / "my.levels/level1_Final.raw" +
                                            " is missing: textures and sounds cannot be converted");
    WriteFileBytes(dir / "my.levels/level1_Final.raw", {});
    EXPECT_EQ(MissingRawText(*s.level), std::nullopt);
    WriteFileBytes(dir / "bad.dat", Bytes(100, 7));
    s.options.Image = ImageFormat::Bmp24;
    std::string reason;
    const Level* open = &*s.level;
    EXPECT_EQ(OpenLevel(s, ui, dir / "bad.dat", &reason), OpenResult::Rejected);
    ASSERT_TRUE(s.level.has_value());
    EXPECT_EQ(std::tie(open, s.level->datPath()), std::tuple(&*s.level, dat));
    EXPECT_FALSE(reason.empty());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(std::tie(ui.messages[1].text, ui.messages[1].title, ui.messages[1].icon),
              std::tuple("This File is not valid a Oni DAT File!\r\n" + dir / "bad.dat" + ": " + reason, "Drossel",
                         MessageIcon::Critical));
    EXPECT_EQ(ui.statusTexts.back(), "Status: ---");
    EXPECT_EQ(s.options.Image, ImageFormat::Bmp24) << "a refused file resets no option";

    ASSERT_EQ(OpenLevel(s, ui, dat), OpenResult::Loaded);
    s.options.Image = ImageFormat::Tga24;
    CloseLevel(s);
    EXPECT_FALSE(s.level.has_value());
    EXPECT_EQ(s.options.Image, ImageFormat::Tga24);
}

TEST(InfoText, DatFileInfoAndResourceInfo) {
    LevelBuilder b;
    b.AddData("TXMP", "wall", TextureRecordData(128, 128, 9, 0));
    b.nameCountOverride = 7;
    const auto layout = b.LayoutOf();
    OpenedLevel l(b);
    EXPECT_EQ(DatFileInfoText(l.level()),
              "Oni Dat File Info:\r\nName: " + l.dir / "level.dat" + "\r\nRAW File: " + l.dir / "level.raw" +
                  "\r\nID: 870065951\r\nResources: 1\r\nResource Names: 7\r\nFile Data Offset: " +
                  std::to_string(layout.dataTable - 8) + "\r\nName Table Offset: " + std::to_string(layout.nameTable) +
                  "\r\n");
    ResourceRecord r = l.level().at(0);
    RawSlot raw = l.level().RawSlotOf(l.level().at(0));
    auto text = [&r, &raw] {
        std::string all;
        for (const auto& f : ResourceInfoFields(r, raw)) all += f.label + " " + f.value + "\n";
        return all;
    };
    EXPECT_EQ(text(), "Name: wall\nSize: 192\nType: TXMP\nCode: PMXT\nFlags: 3145728\nData Position: " +
                          std::to_string(layout.dataOffsets[0] + 1) + "\nSize in RAW: 8192\nOffset in RAW: 1\n");
    raw.size = 0;  // an undecoded format: an offset but no length shows neither
    r.flags = 0xFFFFFFFE;
    EXPECT_NE(text().find("Flags: -2\nData Position: " + std::to_string(layout.dataOffsets[0] + 1) +
                          "\nSize in RAW: None\nOffset in RAW: None\n"),
              std::string::npos);
}
