#include "LevelBuilder.h"
#include "RecordingUserInterface.h"
#include "container/LoadDat.h"
#include "container/Session.h"

#include <gtest/gtest.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

// Resource data with a raw length and offset at the given places.
Bytes BulkData(std::size_t length, std::uint32_t rawSize, std::uint32_t rawOffset, std::size_t sizeAt,
               std::size_t offsetAt) {
    Bytes d(length, 0);
    PutU32(d, sizeAt, rawSize);
    PutU32(d, offsetAt, rawOffset);
    return d;
}

struct Loaded {
    Session session;
    RecordingUserInterface ui;
    bool ok = false;
    const ResourceRecord& operator[](int i) const { return session.table.at(i); }
};

std::unique_ptr<Loaded> Load(const LevelBuilder& builder) {
    TempDir dir;
    auto loaded = std::make_unique<Loaded>();
    loaded->ok = LoadDat(loaded->session, loaded->ui, builder.Write(dir / "level"));
    return loaded;
}

}  // namespace

TEST(LoadDat, ReadsHeaderAndReducesTheDataTableOffset) {
    LevelBuilder b;
    b.Add("M3GM", "gun");
    b.AddUnnamed("AKEV");
    const auto layout = b.LayoutOf();
    const auto l = Load(b);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ(l->session.magic, kDatMagic);
    EXPECT_EQ(l->session.header.resourceCount, 2);
    EXPECT_EQ(l->session.header.nameCount, 1);
    EXPECT_EQ(l->session.header.dataTableOffset, layout.dataTable - 8);
    EXPECT_EQ(l->session.header.nameTableOffset, layout.nameTable);
    EXPECT_TRUE(l->ui.messages.empty());
}

TEST(LoadDat, FillsRecordsFromDescriptorsAndNames) {
    LevelBuilder b;
    b.Add("TXMP", "wall", 40);
    const auto layout = b.LayoutOf();
    const auto l = Load(b);
    ASSERT_TRUE(l->ok);
    const ResourceRecord& r = (*l)[0];
    EXPECT_EQ(r.storedTag, "PMXT");
    EXPECT_EQ(r.tag, "TXMP");
    EXPECT_EQ(r.name, "wall");
    EXPECT_EQ(r.dataOffset, layout.dataOffsets[0]);
    EXPECT_EQ(r.nameOffset, layout.nameOffsets[0]);
    EXPECT_EQ(r.size, 40);
    EXPECT_EQ(r.flags, 0x00300000u);
    EXPECT_EQ(r.identifier, LevelBuilder::IdentifierOf(0));
}

TEST(LoadDat, UnnamedRecordsAreNumberedInTableOrderWithTheirTagReversed) {
    LevelBuilder b;
    b.AddUnnamed("AKEV");
    b.Add("M3GM", "a");
    b.Add("M3GM", "b");
    b.AddUnnamed("TXMP");
    // One bit more or one bit less than the named flags: unnamed, even with a name entry.
    BuiltResource almost;
    almost.tag = "SNDD";
    almost.name = "ignored";
    almost.flags = 0x00300001;
    almost.data = Bytes(32, 0);
    b.AddResource(almost);
    almost.flags = 0x00200000;
    b.AddResource(almost);
    const auto l = Load(b);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ((*l)[0].name, "File_#1");
    EXPECT_EQ((*l)[0].tag, "AKEV");
    EXPECT_EQ((*l)[3].name, "File_#2");
    EXPECT_EQ((*l)[3].tag, "TXMP");
    EXPECT_EQ((*l)[4].name, "File_#3");
    EXPECT_EQ((*l)[4].tag, "SNDD");
    EXPECT_EQ((*l)[5].name, "File_#4");
}

TEST(LoadDat, ReplacesEverySlashInNamesAndNothingElse) {
    LevelBuilder b;
    b.Add("TXMP", "a/b c/d.e");
    const auto l = Load(b);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ((*l)[0].name, "a_b c_d.e");
}

TEST(LoadDat, PassesAnyHeaderBytesAfterTheMagic) {
    LevelBuilder b;
    b.Add("TXMP", "wall");
    TempDir dir;
    const auto dat = b.Write(dir / "level");
    auto bytes = ReadFileBytes(dat);
    for (std::size_t i = 4; i < 20; ++i) bytes[i] = 0xA5;
    WriteFileBytes(dat, bytes);
    Session s;
    RecordingUserInterface ui;
    EXPECT_TRUE(LoadDat(s, ui, dat));
    EXPECT_EQ(s.table.at(0).name, "wall");
}

TEST(LoadDat, AcceptsAnEmptyTable) {
    const auto l = Load(LevelBuilder{});
    EXPECT_TRUE(l->ok);
    EXPECT_EQ(l->session.table.count(), 0);
}

TEST(RawLocation, TextureLengthFollowsTheFormat) {
    LevelBuilder b;
    b.AddData("TXMP", "f8", TextureRecordData(256, 128, 8, 64));
    b.AddData("TXMP", "f1", TextureRecordData(256, 128, 1, 96));
    b.AddData("TXMP", "f9", TextureRecordData(256, 128, 9, 128));
    b.AddData("TXMP", "f4", TextureRecordData(256, 128, 4, 160));
    b.AddData("TXMP", "f0", TextureRecordData(4, 4, 0, 0));
    const auto l = Load(b);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ((*l)[0].rawSize, 131072);
    EXPECT_EQ((*l)[0].rawOffset, 64u);
    EXPECT_EQ((*l)[1].rawSize, 65536);
    EXPECT_EQ((*l)[2].rawSize, 16384);  // DXT1 keeps half a byte per pixel
    EXPECT_EQ((*l)[3].rawSize, 0);
    EXPECT_EQ((*l)[3].rawOffset, 160u);  // an undecoded format still has its offset
    EXPECT_EQ((*l)[4].rawSize, 32);
    EXPECT_EQ((*l)[4].rawOffset, 0u);  // offset 0 is a real location, told apart from none
}

TEST(RawLocation, TextureWithNegativeOrHugeSizeGetsNoLength) {
    LevelBuilder b;
    b.AddData("TXMP", "negative", TextureRecordData(-4, 4, 1, 0));
    b.AddData("TXMP", "huge", TextureRecordData(32767, 32767, 8, 0));
    const auto l = Load(b);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ((*l)[0].rawSize, 0);
    EXPECT_EQ((*l)[1].rawSize, 0);
}

TEST(RawLocation, BulkKindsReadTheirOwnFields) {
    LevelBuilder b;
    b.AddData("SNDD", "door", BulkData(96, 5000, 320, 64, 68));
    b.AddData("OSBD", "crowd", BulkData(32, 70, 640, 8, 12));
    b.AddData("BINA", "blob", BulkData(32, 80, 0, 8, 12));
    b.AddData("SUBT", "subs", BulkData(32, 3, 1024, 28, 24));
    b.AddData("M3GM", "gun", BulkData(96, 5000, 320, 64, 68));
    b.AddUnnamed("TXMP", 192);  // the last record too
    b.resource(5).data = TextureRecordData(8, 8, 2, 4096);
    const auto l = Load(b);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ((*l)[0].rawSize, 5000);
    EXPECT_EQ((*l)[0].rawOffset, 320u);
    EXPECT_EQ((*l)[1].rawSize, 70);
    EXPECT_EQ((*l)[1].rawOffset, 640u);
    EXPECT_EQ((*l)[2].rawSize, 80);
    EXPECT_EQ((*l)[2].rawOffset, 0u);
    EXPECT_EQ((*l)[3].rawSize, 768);
    EXPECT_EQ((*l)[3].rawOffset, 1024u);
    EXPECT_EQ((*l)[4].rawSize, 0);
    EXPECT_FALSE((*l)[4].rawOffset.has_value());
    EXPECT_EQ((*l)[5].rawSize, 128);
    EXPECT_EQ((*l)[5].rawOffset, 4096u);
}

TEST(RawLocation, DataOutsideTheFileLeavesItUnsetWithoutFailingTheLoad) {
    LevelBuilder b;
    b.AddData("TXMP", "short", Bytes(100, 0));  // record cut short by the next resource's data
    b.AddData("SNDD", "far", BulkData(96, 10, 0, 64, 68));
    TempDir dir;
    const auto dat = b.Write(dir / "level");
    auto bytes = ReadFileBytes(dat);
    // Point the sound's data far past the end of the file.
    PutU32(bytes, 64 + 20 + 4, 0x7FFFFF00);
    WriteFileBytes(dat, bytes);
    Session s;
    RecordingUserInterface ui;
    ASSERT_TRUE(LoadDat(s, ui, dat));
    EXPECT_TRUE(s.table.at(0).rawOffset.has_value());  // 100 bytes are inside: the next data follows
    EXPECT_FALSE(s.table.at(1).rawOffset.has_value());
    EXPECT_FALSE(s.table.at(1).identifier.has_value());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(IdentifierIndex, ResolvesToTheFirstRecordInTableOrder) {
    LevelBuilder b;
    b.Add("TXMP", "first");
    b.Add("TXMP", "second");
    b.Add("TXMP", "third");
    b.resource(1).setIdentifier = false;
    b.resource(2).setIdentifier = false;
    PutU32(b.resource(1).data, 0, 0xABCD);
    PutU32(b.resource(2).data, 0, 0xABCD);
    const auto l = Load(b);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ(l->session.table.IndexOf(0xABCD), 1);
    EXPECT_EQ(l->session.table.IndexOf(LevelBuilder::IdentifierOf(0)), 0);
    EXPECT_EQ(l->session.table.Resolve(0x12345678), nullptr);
}
