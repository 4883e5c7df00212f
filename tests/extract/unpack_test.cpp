#include "extract/Unpack.h"
#include "LevelFixture.h"
#include "extract/Commands.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

struct UnpackLevel {
    TempDir dir;
    LevelBuilder builder;
    Session session;
    RecordingUserInterface ui;

    void Open() { session = OpenBuiltLevel(builder, dir); }
    // The resource's data as the builder wrote it, identifier included.
    Bytes DataOf(int index) {
        Bytes data = builder.resource(index).data;
        PutU32(data, 0, LevelBuilder::IdentifierOf(index));
        return data;
    }
    std::string Unpack(int index, std::string path) {
        session.selectedIndex = index;
        UnpackRoutineFor(session.table.at(index).tag)(session, ui, path);
        return path;
    }
};

Bytes Counting(std::size_t n, std::uint8_t start = 1) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(start + i * 7);
    return b;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(Unpack, GenericWritesTheResourceDataAsStored) {
    UnpackLevel u;
    const int gun = u.builder.AddData("M3GM", "gun", Counting(72));
    u.builder.Add("AKEV", "after", 64);
    u.Open();
    const std::string path = u.Unpack(gun, u.dir / "out.M3GM");
    EXPECT_EQ(ReadFileBytes(path), u.DataOf(gun));
    EXPECT_EQ(u.ui.statusTexts, std::vector<std::string>{"Status: UnPacking gun"});
    EXPECT_EQ(u.ui.writtenFiles, std::vector<std::string>{path});
}

TEST(Unpack, BulkKindsAppendTheirRawData) {
    UnpackLevel u;
    const Bytes bulk = Counting(300, 9);
    const Bytes samples = Counting(1000, 3);
    u.builder.AppendRaw(Counting(40));  // something before, so offsets are not 0
    const std::uint32_t bulkAt = u.builder.AppendRaw(bulk);
    const std::uint32_t samplesAt = u.builder.AppendRaw(samples);
    Bytes record = Counting(32, 100);
    PutU32(record, 8, 300);
    PutU32(record, 12, bulkAt);
    const int bina = u.builder.AddData("BINA", "data", record);
    const int osbd = u.builder.AddData("OSBD", "crowd", record);
    Bytes sound = Counting(96, 50);
    PutU32(sound, 64, 1000);
    PutU32(sound, 68, samplesAt);
    const int sndd = u.builder.AddData("SNDD", "door.aif", sound);
    u.Open();
    EXPECT_EQ(ReadFileBytes(u.Unpack(bina, u.dir / "a")), Concat(u.DataOf(bina), bulk));
    EXPECT_EQ(ReadFileBytes(u.Unpack(osbd, u.dir / "b")), Concat(u.DataOf(osbd), bulk));
    EXPECT_EQ(ReadFileBytes(u.Unpack(sndd, u.dir / "c")), Concat(u.DataOf(sndd), samples));
    EXPECT_TRUE(u.ui.messages.empty());
}

TEST(Unpack, TextureCarriesThePixelDataOfItsFormat) {
    struct Case {
        std::uint32_t format;
        std::size_t pixelBytes;
    };
    for (const Case c : {Case{9, 32768}, Case{8, 262144}, Case{1, 131072}, Case{0, 131072}, Case{5, 0}}) {
        UnpackLevel u;
        const Bytes pixels = Counting(262144 + 64);
        const int texture = u.builder.AddTexture("wall", 256, 256, c.format, pixels);
        u.Open();
        const Bytes written = ReadFileBytes(u.Unpack(texture, u.dir / "wall.txmp"));
        ASSERT_EQ(written.size(), 192 + c.pixelBytes) << "format " << c.format;
        EXPECT_EQ(Bytes(written.begin(), written.begin() + 192), u.DataOf(texture));
        EXPECT_TRUE(std::equal(written.begin() + 192, written.end(), pixels.begin())) << "format " << c.format;
    }
}

TEST(Unpack, TextureWithoutPixelDataNeedsNoRawFile) {
    UnpackLevel u;
    const int texture = u.builder.AddTexture("odd", 64, 64, 5, {});
    u.Open();
    std::filesystem::remove(u.session.rawPath);
    EXPECT_EQ(ReadFileBytes(u.Unpack(texture, u.dir / "odd.txmp")).size(), 192u);
}

TEST(Unpack, DialogOffersTheDefaultNameOfEachRoutine) {
    UnpackLevel u;
    const int gun = u.builder.Add("M3GM", "gun");
    const int door = u.builder.Add("SNDD", "door.aif", 96);
    const int doorPlain = u.builder.Add("SNDD", "door", 96);
    const int wall = u.builder.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    const int data = u.builder.Add("BINA", "TMBdata");
    u.builder.AddUnnamed("AKEV");
    u.builder.AddUnnamed("AKEV");
    const int third = u.builder.AddUnnamed("AKEV");
    u.Open();
    const std::pair<int, const char*> cases[] = {{gun, "gun.M3GM"},   {door, "door.SNDD"},    {doorPlain, "door.SNDD"},
                                                 {wall, "wall.txmp"}, {data, "TMBdata.BINA"}, {third, "File_#3.AKEV"}};
    for (const auto& [index, name] : cases) {
        u.ui.dialogs.clear();
        u.session.selectedIndex = index;
        UnpackResource(u.session, u.ui);
        ASSERT_EQ(u.ui.dialogs.size(), 1u) << name;
        EXPECT_EQ(u.ui.dialogs[0].kind, RecordedDialog::Kind::Save);
        EXPECT_EQ(u.ui.dialogs[0].request.title, "Unpack resource...");
        EXPECT_EQ(u.ui.dialogs[0].request.fileName, name);
        EXPECT_EQ(u.ui.dialogs[0].request.filter, "All Files...|*.*");
    }
}

TEST(Unpack, ChosenPathIsUsedAndCancelWritesNothing) {
    UnpackLevel u;
    const int gun = u.builder.Add("M3GM", "gun");
    u.Open();
    std::string path;
    u.session.selectedIndex = gun;
    UnpackGeneric(u.session, u.ui, path);
    EXPECT_TRUE(path.empty());
    EXPECT_TRUE(u.ui.writtenFiles.empty());
    EXPECT_EQ(u.ui.status(), "Status: UnPacking gun");
    EXPECT_EQ(CountFiles(u.dir.path()), 2u);

    u.ui.savePaths.push_back(u.dir / "picked.bin");
    UnpackGeneric(u.session, u.ui, path);
    EXPECT_EQ(path, u.dir / "picked.bin");
    EXPECT_EQ(ReadFileBytes(path), u.DataOf(gun));
}

TEST(Unpack, ReplacesALongerFileWhole) {
    UnpackLevel u;
    const int gun = u.builder.Add("M3GM", "gun", 40);
    u.Open();
    WriteFileBytes(u.dir / "gun.M3GM", Bytes(5000, 0xEE));
    EXPECT_EQ(ReadFileBytes(u.Unpack(gun, u.dir / "gun.M3GM")), u.DataOf(gun));
}

// A failure says why, shows "NONE", and leaves no file, an older one intact.
TEST(Unpack, FailureLeavesNoFileAndKeepsAnOlderOne) {
    UnpackLevel u;
    Bytes record(32, 0);
    PutU32(record, 8, 5000);  // more than the .raw file holds
    PutU32(record, 12, 0);
    const int data = u.builder.AddData("BINA", "big", record);
    u.builder.AppendRaw(Counting(100));
    u.Open();
    u.Unpack(data, u.dir / "fresh.BINA");
    EXPECT_FALSE(Exists(u.dir / "fresh.BINA"));
    EXPECT_EQ(u.ui.status(), "NONE");
    ASSERT_EQ(u.ui.messages.size(), 1u);
    EXPECT_EQ(u.ui.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(u.ui.messages[0].text.find("Cannot unpack big"), std::string::npos);
    EXPECT_NE(u.ui.messages[0].text.find("5000 bytes"), std::string::npos) << u.ui.messages[0].text;

    WriteFileBytes(u.dir / "old.BINA", Bytes{1, 2, 3});
    std::filesystem::remove(u.session.rawPath);
    u.Unpack(data, u.dir / "old.BINA");
    EXPECT_EQ(ReadFileBytes(u.dir / "old.BINA"), (Bytes{1, 2, 3}));
    EXPECT_TRUE(u.ui.writtenFiles.empty());
    EXPECT_EQ(CountFiles(u.dir.path()), 2u) << "no temporary file may stay behind";
}

TEST(Unpack, PlaceholderIsRefused) {
    UnpackLevel u;
    const int shared = u.builder.Add("M3GM", "shared_model");
    u.builder.resource(shared).sizeField = 0;
    u.Open();
    u.Unpack(shared, u.dir / "shared.M3GM");
    EXPECT_FALSE(Exists(u.dir / "shared.M3GM"));
    ASSERT_EQ(u.ui.messages.size(), 1u);
    EXPECT_NE(u.ui.messages[0].text.find("size is 0"), std::string::npos);
}
