// Damaged level files: every one is refused with the not-a-level message, and
// none makes the loader crash, hang or read outside the file (the sanitizers
// watch the reads).

#include "LevelBuilder.h"
#include "RecordingUserInterface.h"
#include "container/LoadDat.h"
#include "container/Session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace drossel;
using namespace drossel::testing;

namespace {

LevelBuilder SampleLevel() {
    LevelBuilder b;
    b.Add("TXMP", "wall", 192);
    b.AddUnnamed("AKEV", 64);
    b.Add("SNDD", "door.aif", 96);
    b.Add("M3GM", "gun", 48);
    return b;
}

struct Damage {
    const char* name;
    std::function<void(Bytes&, const LevelBuilder::Layout&)> apply;
};

void Truncate(Bytes& b, std::int64_t length) {
    b.resize(static_cast<std::size_t>(length));
}

constexpr std::size_t kCountAt = 20;
constexpr std::size_t kNameTableAt = 40;
std::size_t NameOffsetOf(int descriptor) {
    return 64 + 20 * static_cast<std::size_t>(descriptor) + 8;
}

const Damage kDamages[] = {
    {"EmptyFile", [](Bytes& b, auto&) { b.clear(); }},
    {"ShorterThanTheMagic", [](Bytes& b, auto&) { Truncate(b, 3); }},
    {"WrongMagic", [](Bytes& b, auto&) { b[0] = 0x20; }},
    {"MagicBytesReversed", [](Bytes& b, auto&) { std::reverse(b.begin(), b.begin() + 4); }},
    {"MagicOnly", [](Bytes& b, auto&) { Truncate(b, 4); }},
    {"CutBeforeTheCounts", [](Bytes& b, auto&) { Truncate(b, 20); }},
    {"CutInsideTheHeader", [](Bytes& b, auto&) { Truncate(b, 36); }},
    {"CutAtTheHeaderEnd", [](Bytes& b, auto&) { Truncate(b, 47); }},
    {"CutBeforeTheDescriptors", [](Bytes& b, auto&) { Truncate(b, 64); }},
    {"CutInsideADescriptor", [](Bytes& b, auto&) { Truncate(b, 64 + 20 + 7); }},
    {"CutBeforeTheLastDescriptorEnds", [](Bytes& b, auto&) { Truncate(b, 64 + 4 * 20 - 1); }},
    {"CutAfterTheDescriptors", [](Bytes& b, auto&) { Truncate(b, 64 + 4 * 20); }},
    {"CutInsideTheData", [](Bytes& b, auto& l) { Truncate(b, l.dataOffsets[2] + 10); }},
    {"CutAtTheNameTable", [](Bytes& b, auto& l) { Truncate(b, l.nameTable); }},
    {"CutInsideATag", [](Bytes& b, auto& l) { Truncate(b, l.nameOffsets[2] + 2); }},
    {"CutInsideAName", [](Bytes& b, auto& l) { Truncate(b, l.nameOffsets[3] + 6); }},
    {"LastNameWithoutZeroByte", [](Bytes& b, auto&) { b.pop_back(); }},
    {"NegativeCount", [](Bytes& b, auto&) { PutU32(b, kCountAt, 0xFFFFFFFF); }},
    {"MostNegativeCount", [](Bytes& b, auto&) { PutU32(b, kCountAt, 0x80000000); }},
    {"LargestCount", [](Bytes& b, auto&) { PutU32(b, kCountAt, 0x7FFFFFFF); }},
    {"CountOneTooMany",
     [](Bytes& b, auto& l) {
         PutU32(b, kCountAt, static_cast<std::uint32_t>((l.dataTable - 64) / 20 + 1));
         Truncate(b, l.dataTable + 10);
     }},
    {"NameTablePastTheEnd", [](Bytes& b, auto&) { PutU32(b, kNameTableAt, 0x7FFFFFF0); }},
    {"NegativeNameTable", [](Bytes& b, auto&) { PutU32(b, kNameTableAt, static_cast<std::uint32_t>(-100000)); }},
    {"NameOffsetPastTheEnd", [](Bytes& b, auto&) { PutU32(b, NameOffsetOf(0), 0x00FFFFFF); }},
    {"NameOffsetBeforeTheStart",
     [](Bytes& b, auto& l) { PutU32(b, NameOffsetOf(2), static_cast<std::uint32_t>(-l.nameTable - 1)); }},
    {"NameOffsetOnTheLastBytes",
     [](Bytes& b, auto& l) {
         PutU32(b, NameOffsetOf(3), static_cast<std::uint32_t>(static_cast<std::int64_t>(b.size()) - l.nameTable - 2));
     }},
    {"NameTableWithoutZeroBytes",
     [](Bytes& b, auto& l) { std::fill(b.begin() + l.nameTable, b.end(), static_cast<std::uint8_t>('x')); }},
};

void PrintTo(const Damage& damage, std::ostream* os) {
    *os << damage.name;
}

class MalformedLevel : public ::testing::TestWithParam<Damage> {};

}  // namespace

TEST_P(MalformedLevel, IsRefusedWithTheMessage) {
    const LevelBuilder builder = SampleLevel();
    Bytes bytes = builder.BuildDat();
    GetParam().apply(bytes, builder.LayoutOf());
    TempDir dir;
    const std::string dat = dir / "damaged.dat";
    WriteFileBytes(dat, bytes);

    Session session;
    session.table.records.resize(3);  // left from an earlier file
    RecordingUserInterface ui;
    std::string reason;
    EXPECT_FALSE(LoadDat(session, ui, dat, &reason));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "This File is not valid a Oni DAT File!");
    EXPECT_EQ(ui.messages[0].title, "Drossel");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(session.table.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Damages, MalformedLevel, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MalformedLevel, UndamagedSampleLoads) {
    TempDir dir;
    Session session;
    RecordingUserInterface ui;
    EXPECT_TRUE(LoadDat(session, ui, SampleLevel().Write(dir / "fine")));
    EXPECT_EQ(session.table.count(), 4);
}

TEST(MalformedLevel, MissingFileAndFolderAreRefused) {
    TempDir dir;
    for (const std::string& path : {dir / "absent.dat", dir.path()}) {
        Session session;
        RecordingUserInterface ui;
        EXPECT_FALSE(LoadDat(session, ui, path)) << path;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "This File is not valid a Oni DAT File!");
    }
}

TEST(MalformedLevel, DataOffsetsOutsideTheFileAreNotALoadError) {
    LevelBuilder builder = SampleLevel();
    Bytes bytes = builder.BuildDat();
    PutU32(bytes, 64 + 4, 0x7FFFFFFF);                                // far past the end
    PutU32(bytes, 64 + 20 + 4, static_cast<std::uint32_t>(-100000));  // before the start
    TempDir dir;
    WriteFileBytes(dir / "odd.dat", bytes);
    Session session;
    RecordingUserInterface ui;
    ASSERT_TRUE(LoadDat(session, ui, dir / "odd.dat"));
    EXPECT_FALSE(session.table.at(0).identifier.has_value());
    EXPECT_FALSE(session.table.at(0).rawOffset.has_value());
    EXPECT_FALSE(session.table.at(1).identifier.has_value());
    EXPECT_TRUE(session.table.at(2).identifier.has_value());
    EXPECT_TRUE(ui.messages.empty());
}
