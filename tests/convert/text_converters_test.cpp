// Strings, subtitles, string lists and texture lists, converted as the command
// shell calls their converters.

#include "Fixture.h"
#include "convert/Converters.h"
#include "level/records/BulkRecords.h"
#include "level/records/StringRecords.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

template <typename Record>
Bytes WithText(const std::string& text) {
    Record r{};
    std::copy_n(text.begin(), std::min(text.size(), sizeof r.text), r.text);
    return BytesOf(r);
}

template <typename Header>
Bytes List(Header header, std::initializer_list<std::uint32_t> ids) {
    Bytes bytes = BytesOf(header);
    for (std::uint32_t id : ids) PutU32(bytes, bytes.size(), id);
    return bytes;
}

std::string Text(const OutputPiece& piece) {
    const auto& bytes = std::get<Bytes>(piece.content);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(ConvertString, TextUpToItsFirstZeroByteOrAddedToTheCollectiveFile) {
    LevelBuilder b;
    const int full = b.AddData("TStr", "full", WithText<TStrRecord>(std::string(152, 'x')));
    const int hello = b.AddData("TStr", "hello", WithText<TStrRecord>("Hello"));
    const int hint = b.AddData("IGSt", "hint", WithText<IGStRecord>("Jump!"));
    const int empty = b.AddData("IGSt", "empty", WithText<IGStRecord>(""));
    OpenedLevel l(b);
    Options o;
    auto convert = [&](int i) { return ConvertString(l.level(), l.level().at(i), o); };
    EXPECT_EQ(Text(convert(full).pieces.at(0)), std::string(152, 'x'));
    EXPECT_EQ(Text(convert(hello).pieces.at(0)), "Hello");
    EXPECT_EQ(Text(convert(empty).pieces.at(0)), "");
    o.OneTextFile = true;
    const Conversion c = convert(hint);
    EXPECT_EQ(c.pieces.at(0).place, OutputPiece::Place::OutputFolder);
    EXPECT_EQ(c.pieces[0].name, "Oni_Text_1.txt");
    EXPECT_TRUE(c.pieces[0].append);
    EXPECT_EQ(Text(c.pieces[0]), "Jump!\r\n-----------------------------------------\r\n");
    EXPECT_EQ(Text(convert(hello).pieces.at(0)), "Hello\r\n");
}

TEST(ConvertSubt, FixedEntriesWithBlanksForZeroBytes) {
    LevelBuilder b;
    Bytes entries(3 * 256, 0);
    std::copy_n("Hi there", 8, entries.begin() + 256);
    SubtitleRecord header{};
    header.textOffset = b.AppendRaw(entries);
    header.entryCount = 3;
    const int subt = b.AddData("SUBT", "subs", List(header, {512, 256, 0}));
    OpenedLevel l(b);
    const std::string text = Text(ConvertSubt(l.level(), l.level().at(subt), {}).pieces.at(0));
    ASSERT_EQ(text.size(), 768u);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(text.substr(256, 10), "Hi there  ");
}

TEST(ConvertStringLists, OneLinePerStringFoundInListOrder) {
    LevelBuilder b;
    const int first = b.AddData("TStr", "a", WithText<TStrRecord>("first"));
    const int hint = b.AddData("IGSt", "h", WithText<IGStRecord>("a hint"));
    StringListHeader stna{};
    stna.count = 3;
    ListHeader igsa{};
    igsa.count = 2;
    const int strings = b.AddData("StNA", "s", List(stna, {0xDEAD, LevelBuilder::IdentifierOf(first), 0}));
    const int hints = b.AddData("IGSA", "i", List(igsa, {LevelBuilder::IdentifierOf(hint), 0xBEEF}));
    const int last = b.AddData("TStr", "last", WithText<TStrRecord>("the last"));
    PutU32(b.resource(strings).data, 32 + 8, LevelBuilder::IdentifierOf(last));  // the last resource resolves too
    OpenedLevel l(b);
    EXPECT_EQ(Text(ConvertStna(l.level(), l.level().at(strings), {}).pieces.at(0)), "first\r\nthe last\r\n");
    EXPECT_EQ(Text(ConvertIgsa(l.level(), l.level().at(hints), {}).pieces.at(0)), "a hint\r\n");
}

TEST(ConvertTextureLists, ListFilesAndTheirTextures) {
    LevelBuilder b;
    const int first = b.AddTexture("first", 4, 4, 1, Bytes(32, 0));  // table index 0: resolves like any other
    const int second = b.AddTexture("sec/ond", 4, 4, 1, Bytes(32, 0));
    ListHeader txma{};
    txma.count = 4;
    const auto id = [](int i) { return LevelBuilder::IdentifierOf(i); };
    const int array = b.AddData("TXMA", "array", List(txma, {id(first), 0, id(second), id(first)}));
    CharacterTexturesRecord trma{};
    trma.count = 2;
    trma.textures[0] = id(second);
    trma.textures[1] = 0xDEAD;
    const int skins = b.AddData("TRMA", "skins", BytesOf(trma));
    SkyRecord sky{};
    sky.textures[3] = 1;
    const int empty = b.AddData("ONSK", "sky", BytesOf(sky));
    OpenedLevel l(b);
    Options o;
    o.Image = ImageFormat::Bmp24;
    Conversion c = ConvertTextureList(l.level(), l.level().at(array), o);
    EXPECT_EQ(Text(c.pieces.at(0)), "4\r\nfirst\r\nsec_ond\r\nfirst\r\n");
    ASSERT_EQ(c.pieces.size(), 3u) << "a texture listed twice is written once";
    EXPECT_EQ(c.pieces[1].place, OutputPiece::Place::BesideChosen) << "never the process's current folder";
    EXPECT_EQ(c.pieces[2].name, "sec_ond.bmp");
    EXPECT_EQ(std::get<ImageOutput>(c.pieces[2].content).draw().width(), 4) << "drawn when it is written";
    c = ConvertTrma(l.level(), l.level().at(skins), o);
    EXPECT_EQ(Text(c.pieces.at(0)), "sec_ond\r\n");
    EXPECT_EQ(c.pieces.at(1).place, OutputPiece::Place::ChosenStem);
    EXPECT_EQ(c.pieces[1].name, "_sec_ond.bmp");
    c = ConvertOnsk(l.level(), l.level().at(empty), o);
    ASSERT_EQ(c.pieces.size(), 1u);
    EXPECT_EQ(Text(c.pieces[0]), "");
}

TEST(ConvertSndd, TheFixedWavLayoutAroundTheSamples) {
    LevelBuilder b;
    SoundRecord sound{};
    for (std::size_t i = 0; i < 50; ++i) sound.format[i] = static_cast<std::uint8_t>(i + 1);
    sound.sampleLength = 1000;
    sound.sampleOffset = b.AppendRaw(Bytes(1000, 0x5A));
    const int door = b.AddData("SNDD", "door.aif", BytesOf(sound));
    const int silent = b.Add("SNDD", "silent", 96);
    OpenedLevel l(b);
    const Conversion c = ConvertSndd(l.level(), l.level().at(door), {});
    EXPECT_EQ(c.pieces.at(0).name, ".wav");
    const Bytes& wav = std::get<Bytes>(c.pieces[0].content);
    ASSERT_EQ(wav.size(), 1078u);
    EXPECT_EQ(U32At(wav, 4), 1070u);
    EXPECT_EQ(U32At(wav, 16), 50u);
    EXPECT_EQ(U32At(wav, 74), 1000u);
    EXPECT_EQ(Bytes(wav.begin() + 20, wav.begin() + 70), Bytes(sound.format, sound.format + 50));
    EXPECT_EQ(std::string(wav.begin() + 70, wav.begin() + 74), "data");
    EXPECT_EQ(wav.back(), 0x5A);
    EXPECT_TRUE(ConvertSndd(l.level(), l.level().at(silent), {}).pieces.empty());
}
