// Strings, subtitles, string lists and texture lists, converted as the command
// shell calls their converters.

#include "Fixture.h"
#include "convert/Converters.h"
#include "level/records/BulkRecords.h"
#include "level/records/StringRecords.h"

using namespace drossel;
using namespace drossel::testing;

// A string's text goes up to its first zero byte, or is added to the collective file;
// a string list has a line for each string found, in list order.
TEST(ConvertString, TextUpToItsFirstZeroByteOrAddedToTheCollectiveFileAndListsLineByLine) {
    LevelBuilder b;
    const int full = b.AddData("TStr", "full", WithText<TStrRecord>(std::string(152, 'x')));  // index 0
    const int hello = b.AddData("TStr", "hello", WithText<TStrRecord>("Hello"));
    const int hint = b.AddData("IGSt", "hint", WithText<IGStRecord>("Jump!"));
    const int empty = b.AddData("IGSt", "empty", WithText<IGStRecord>(""));
    using Ids = std::vector<std::uint32_t>;
    const int strings =
        b.AddData("StNA", "s", ListOf(StringListHeader{}, Ids{0xDEAD, LevelBuilder::IdentifierOf(full), 0}));
    const int hints = b.AddData("IGSA", "i", ListOf(ListHeader{}, Ids{LevelBuilder::IdentifierOf(hint), 0xBEEF}));
    const int last = b.AddData("TStr", "last", WithText<TStrRecord>("the last"));
    PutU32(b.resource(strings).data, 32 + 8, LevelBuilder::IdentifierOf(last));  // the last resource resolves too
    EXPECT_EQ(PieceText(Converted(b, strings, ConvertStna)), std::string(152, 'x') + "\r\nthe last\r\n");
    EXPECT_EQ(PieceText(Converted(b, hints, ConvertIgsa)), "Jump!\r\n");
    EXPECT_EQ(PieceText(Converted(b, full, ConvertString)), std::string(152, 'x'));
    EXPECT_EQ(PieceText(Converted(b, hello, ConvertString)), "Hello");
    EXPECT_EQ(PieceText(Converted(b, empty, ConvertString)), "");
    const Conversion c = Converted(b, hint, ConvertString, {.OneTextFile = true});
    EXPECT_EQ(c.pieces.at(0).place, OutputPiece::Place::OutputFolder);
    EXPECT_EQ(c.pieces[0].name, "Oni_Text_1.txt");
    EXPECT_TRUE(c.pieces[0].append);
    EXPECT_EQ(PieceText(c), "Jump!\r\n-----------------------------------------\r\n");
    EXPECT_EQ(PieceText(Converted(b, hello, ConvertString, {.OneTextFile = true})), "Hello\r\n");
}

TEST(ConvertSubt, FixedEntriesWithBlanksForZeroBytes) {
    LevelBuilder b;
    Bytes entries(3 * 256, 0);
    std::copy_n("Hi there", 8, entries.begin() + 256);
    const SubtitleRecord header{{}, {}, b.AppendRaw(entries), 3};
    const int subt = b.AddData("SUBT", "subs", BytesOf(header) + Le(512, 256, 0));
    EXPECT_EQ(PieceText(Converted(b, subt, ConvertSubt)), std::string(256, ' ') + "Hi there" + std::string(504, ' '));
}

TEST(ConvertTextureLists, ListFilesAndTheirTextures) {
    LevelBuilder b;
    const int first = b.AddTexture("first", 4, 4, 1, Bytes(32, 0));  // table index 0: resolves like any other
    const int second = b.AddTexture("sec/ond", 4, 4, 1, Bytes(32, 0));
    const auto id = [](int i) { return LevelBuilder::IdentifierOf(i); };
    const int array = b.AddData("TXMA", "array",
                                ListOf(ListHeader{}, std::vector<std::uint32_t>{id(first), 0, id(second), id(first)}));
    CharacterTexturesRecord trma{};
    trma.count = 2;
    trma.textures[0] = id(second);
    trma.textures[1] = 0xDEAD;
    const int skins = b.AddData("TRMA", "skins", BytesOf(trma));
    SkyRecord sky{};
    sky.textures[3] = 1;
    const int empty = b.AddData("ONSK", "sky", BytesOf(sky));
    OpenedLevel l(b);
    Options o{.Image = ImageFormat::Bmp24};
    Conversion c = ConvertTextureList(l.level(), l.level().at(array), o);
    EXPECT_EQ(PieceText(c), "4\r\nfirst\r\nsec_ond\r\nfirst\r\n");
    ASSERT_EQ(c.pieces.size(), 3u) << "a texture listed twice is written once";
    EXPECT_EQ(c.pieces[1].place, OutputPiece::Place::BesideChosen) << "never the process's current folder";
    EXPECT_EQ(c.pieces[2].name, "sec_ond.bmp");
    EXPECT_EQ(std::get<ImageOutput>(c.pieces[2].content).draw().width(), 4) << "drawn when it is written";
    c = ConvertTrma(l.level(), l.level().at(skins), o);
    EXPECT_EQ(PieceText(c), "sec_ond\r\n");
    EXPECT_EQ(c.pieces.at(1).place, OutputPiece::Place::ChosenStem);
    EXPECT_EQ(c.pieces[1].name, "_sec_ond.bmp");
    c = ConvertOnsk(l.level(), l.level().at(empty), o);
    ASSERT_EQ(c.pieces.size(), 1u);
    EXPECT_EQ(PieceText(c), "");
}

TEST(ConvertSndd, TheFixedWavLayoutAroundTheSamples) {
    LevelBuilder b;
    SoundRecord sound{};
    for (std::size_t i = 0; i < 50; ++i) sound.format[i] = static_cast<std::uint8_t>(i + 1);
    sound.sampleLength = 1000;
    sound.sampleOffset = b.AppendRaw(Bytes(1000, 0x5A));
    const int door = b.AddData("SNDD", "door.aif", BytesOf(sound));
    const int silent = b.Add("SNDD", "silent", 96);
    const Conversion c = Converted(b, door, ConvertSndd);
    EXPECT_EQ(c.pieces.at(0).name, ".wav");
    EXPECT_EQ(PieceBytes(c), Text("RIFF") + Le(1070) + Text("WAVEfmt ") + Le(50) +
                                 Bytes(sound.format, sound.format + 50) + Text("data") + Le(1000) + Bytes(1000, 0x5A));
    EXPECT_TRUE(Converted(b, silent, ConvertSndd).pieces.empty());
}
