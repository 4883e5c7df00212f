#include "Fixture.h"
#include "app/CommandShell.h"
#include "app/Commands.h"
#include "kinds/KindTable.h"
#include "level/records/BulkRecords.h"
#include "level/records/StringRecords.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

Bytes Counting(std::size_t n, std::uint8_t start = 1) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(start + i * 7);
    return b;
}

// The demo level holds a resource of every kind that converts.
class EveryConvertibleKind : public ::testing::TestWithParam<const Kind*> {};
std::vector<const Kind*> ConvertibleKinds() {
    std::vector<const Kind*> kinds;
    for (const Kind& k : Kinds()) kinds.insert(kinds.end(), k.convert != nullptr ? 1 : 0, &k);
    return kinds;
}

}  // namespace

TEST_P(EveryConvertibleKind, DialogCancelPlaceholderAndFailure) {
    const Kind& kind = *GetParam();
    LevelBuilder b = demo::BuildDemoLevel();
    int index = -1;
    for (int i = 0; i < b.count() && index < 0; ++i) index = b.resource(i).tag == kind.tag.view() ? i : -1;
    ASSERT_GE(index, 0) << "the demo level has no " << kind.tag;
    const int placeholder = b.Add(kind.tag.str(), "placeholder");
    b.resource(placeholder).sizeField = 0;
    const int broken = b.Add(kind.tag.str(), "broken");
    OpenedLevel l(b, [&](Bytes& dat) { PutU32(dat, DataOffsetFieldOf(broken), 0x7FFFFF00); });

    // Asked after reading; a cancel writes nothing and says nothing.
    EXPECT_FALSE(ConvertResource(l.session, index, l.ui, ""));
    ASSERT_EQ(l.ui.dialogs.size(), 1u);
    const FileDialogRequest& asked = l.ui.dialogs[0].request;
    EXPECT_EQ(std::tie(asked.title, asked.filter), std::tie(kind.saveDialog.title, kind.saveDialog.filter));
    EXPECT_EQ(asked.fileName.substr(0, 3), l.level().at(index).name.substr(0, 3));
    EXPECT_TRUE(l.ui.messages.empty());
    EXPECT_TRUE(l.ui.writtenFiles.empty());

    // A chosen name is written, with whatever the kind writes beside it.
    l.ui.savePaths.push_back(l.Out("chosen.tga"));
    EXPECT_TRUE(ConvertResource(l.session, index, l.ui, ""));
    EXPECT_FALSE(l.ui.writtenFiles.empty());
    EXPECT_EQ(CountFiles(l.Out()), l.ui.writtenFiles.size());

    // A placeholder holds nothing to convert; a record outside the file fails
    // with one message naming it, asks nothing and leaves an older file as it was.
    const std::string noun = std::string(kind.noun) + " ";
    EXPECT_FALSE(ConvertResource(l.session, placeholder, l.ui, l.Out("placeholder.tga")));
    WriteFileBytes(l.Out("old.tga"), Bytes{1, 2, 3});
    EXPECT_FALSE(ConvertResource(l.session, broken, l.ui, ""));
    EXPECT_FALSE(ConvertResource(l.session, broken, l.ui, l.Out("old.tga")));
    EXPECT_EQ(l.ui.dialogs.size(), 2u);
    ASSERT_EQ(l.ui.messages.size(), 3u);
    EXPECT_EQ(l.ui.messages[0].text, "Cannot convert " + noun + "placeholder: " + PlaceholderReason());
    EXPECT_EQ(l.ui.messages[2].icon, MessageIcon::Critical);
    EXPECT_TRUE(l.ui.messages[2].text.starts_with("Cannot convert " + noun + "broken: ")) << l.ui.messages[2].text;
    EXPECT_EQ(ReadFileBytes(l.Out("old.tga")), (Bytes{1, 2, 3}));
    EXPECT_EQ(CountFiles(l.Out()), l.ui.writtenFiles.size() + 1) << "no temporary file stays behind";
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryConvertibleKind, ::testing::ValuesIn(ConvertibleKinds()),
                         [](const auto& info) { return info.param->tag.str(); });

TEST(ConvertResource, PicturesNeedAPictureNameAndTheCommandsTakeTheSelection) {
    LevelBuilder b;
    const int texture = b.AddTexture("wall", 4, 4, 1, Bytes(32, 0));
    std::array<std::uint32_t, 10> icons{};
    icons.fill(LevelBuilder::IdentifierOf(texture));
    icons[9] = 0xDEAD;
    const int keys = b.AddKeyIcons("keys", icons);
    const int model = b.Add("AKEV", "env");
    OpenedLevel l(b);
    for (int index : {texture, keys}) {
        EXPECT_FALSE(ConvertResource(l.session, index, l.ui, l.Out("pic.jpg")));
        EXPECT_EQ(l.ui.messages.back().title, "Error!");
        EXPECT_EQ(l.ui.messages.back().text, "The Filename is wrong!\r\nThe file has to end with .bmp or .tga !");
    }
    EXPECT_EQ(CountFiles(l.Out()), 0u);
    EXPECT_TRUE(ConvertResource(l.session, keys, l.ui, l.Out("keys.BMP")));
    EXPECT_EQ(ReadFileBytes(l.Out("keys.BMP")).size(), 54u + (9 * 4 + 32) * 3 * 32) << "24 bits whatever the option";
    EXPECT_EQ(l.ui.warnings, std::vector<std::string>{"Status: Converted key icons keys, but icon 10 is missing (no "
                                                      "resource has identifier 57005)"});
    l.ui.statusTexts.clear();
    EXPECT_FALSE(ConvertResource(l.session, model, l.ui, l.Out("env.txt")));
    EXPECT_TRUE(l.ui.statusTexts.empty());
    // The commands act on the selected resource, and on none outside the table.
    l.session.selectedIndex = keys;
    l.ui.savePaths = {l.Out("a.tga"), l.Out("b.KeyI")};
    Convert(l.session, l.ui);
    Unpack(l.session, l.ui);
    EXPECT_EQ(l.ui.dialogs.at(0).request.fileName, "keys.tga");
    EXPECT_EQ(l.ui.dialogs.at(1).request.fileName, "keys.KeyI");
    EXPECT_EQ(l.ui.writtenFiles, (std::vector<std::string>{l.Out("keys.BMP"), l.Out("a.tga"), l.Out("b.KeyI")}));
    l.session.selectedIndex = 7;
    Unpack(l.session, l.ui);
    EXPECT_EQ(l.ui.dialogs.size(), 2u);
}

// The dialog offers a name made of the resource's; the file holds the record as the .dat holds it, then the raw
// bytes it points at, and replaces a longer file whole.
TEST(UnpackResource, WritesTheRecordAndTheRawBytesItPointsAt) {
    LevelBuilder b;
    b.AppendRaw(Counting(40));  // something first, so offsets are not 0
    // Bulk data longer than one block of the copy.
    const Bytes bulk = Counting((1 << 20) + 300, 9), samples = Counting(1000, 3), pixels = Counting(100);
    const BulkRecord record{{}, (1 << 20) + 300, b.AppendRaw(bulk), {}};
    const SoundRecord sound{{}, {}, {}, {}, 1000, b.AppendRaw(samples), {}};
    const std::vector<std::tuple<int, std::string, Bytes>> cases{
        {b.AddData("M3GM", "gun", Counting(72)), "gun.M3GM", {}},
        {b.AddData("BINA", "TMBdata", BytesOf(record)), "TMBdata.BINA", bulk},
        {b.AddData("OSBD", "crowd", BytesOf(record)), "crowd.OSBD", bulk},
        {b.AddData("SNDD", "door.aif", BytesOf(sound)), "door.SNDD", samples},
        {b.Add("SNDD", "door", 96), "door.SNDD", {}},
        {b.AddTexture("odd", 6, 6, 9, pixels), "odd.txmp", Slice(pixels, 0, 32)},  // whole 4 x 4 blocks
        {b.AddTexture("none", 64, 64, 5, {}), "none.txmp", {}},
        {b.AddData("SUBT", "subs", Bytes(32, 0)), "subs.SUBT", {}},  // a raw location, yet unpacked alone
        {(b.AddUnnamed("AKEV"), b.AddUnnamed("AKEV")), "File_#2.AKEV", {}},
        {b.Add("/evl", "a\\b"), "a_b._evl", {}},
    };
    const int broken = b.AddData("BINA", "big", RecordWith(&BulkRecord::length, 3 << 20));  // more than the .raw holds
    OpenedLevel l(b);
    for (const auto& [index, name, raw] : cases) {
        EXPECT_FALSE(UnpackResource(l.level(), index, l.ui, ""));
        EXPECT_EQ(l.ui.dialogs.back().request.fileName, name);
        EXPECT_EQ(l.ui.status(), "Status: UnPacking " + std::string(l.level().at(index).name)) << "a cancel keeps it";
        WriteFileBytes(l.Out(name), Bytes(5000, 0xEE));
        EXPECT_TRUE(UnpackResource(l.level(), index, l.ui, l.Out(name))) << name;
        Bytes expected = b.resource(index).data;
        PutU32(expected, 0, LevelBuilder::IdentifierOf(index));
        EXPECT_EQ(ReadFileBytes(l.Out(name)), expected + raw) << name;
    }
    EXPECT_EQ(l.ui.dialogs.size(), cases.size());
    EXPECT_TRUE(l.ui.messages.empty());
    EXPECT_FALSE(UnpackResource(l.level(), broken, l.ui, l.Out("big.BINA")));
    EXPECT_EQ(l.ui.status(), "NONE");
    ASSERT_EQ(l.ui.messages.size(), 1u);
    EXPECT_NE(l.ui.messages[0].text.find("Cannot unpack big: the 3145728 bytes of data at offset 0 lie outside"),
              std::string::npos)
        << l.ui.messages[0].text;
}

TEST(OutputClaims, KeepsARunInsideItsFolderAndNeverOverwritesItsOwnFiles) {
    RecordingUserInterface ui;
    OutputClaims claims("out/");
    EXPECT_EQ(claims.Claim("out/KeyIcons.tga", ui), "out/KeyIcons.tga");
    claims.Wrote("out/KeyIcons.tga");
    EXPECT_EQ(claims.Claim("out/KeyIcons.tga", ui), "out/KeyIcons (2).tga");
    claims.Wrote("out/KeyIcons (2).tga");
    EXPECT_EQ(claims.Claim("out/KeyIcons.tga", ui), "out/KeyIcons (3).tga");
    EXPECT_EQ(ui.warnings.front(),
              "Status: KeyIcons.tga was already written in this run: writing KeyIcons (2).tga instead");
    EXPECT_EQ(claims.Claim("out/other.tga", ui), "out/other.tga");
    EXPECT_THROW(claims.Claim("out/../evl", ui), DrosselError) << "level data never names another folder";
}

// A listed texture that cannot be written is a missing part: the rest is kept.
TEST(ConvertResource, AListedTextureThatCannotBeWrittenIsAMissingPart) {
    LevelBuilder b;
    CharacterTexturesRecord trma{.prefix = {}, .unknown8 = {}, .count = 2, .textures = {}};
    for (int i = 0; i < 2; ++i)
        trma.textures[i] = LevelBuilder::IdentifierOf(b.AddTexture(i ? "two" : "one", 4, 4, 1, Bytes(32, 0)));
    b.AddData("TRMA", "skins", BytesOf(trma));  // 2
    OpenedLevel l(b);
    std::filesystem::create_directories(l.Out("skins_two.tga"));  // a folder where the picture would go
    EXPECT_TRUE(ConvertResource(l.session, 2, l.ui, l.Out("skins.txt")));
    EXPECT_EQ(CountFiles(l.Out()), 2u) << "the list, and the first texture";
    EXPECT_NE(l.ui.warnings.at(0).find("but texture two is missing (cannot write"), std::string::npos);
}
