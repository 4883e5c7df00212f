#include "Fixture.h"
#include "kinds/KindTable.h"
#include "level/LoadDat.h"
#include "level/records/BulkRecords.h"

using namespace drossel;
using namespace drossel::testing;

// A name joins other text whole: only a Tag itself is appended as a tag (four characters).
template <typename Text, typename More>
concept Joins = requires(Text text, More more) {
    text + more;
};
static_assert(!Joins<std::string, std::string_view> && Joins<std::string, Tag>);

namespace {

Result<Level> Load(const Bytes& dat) {
    static TempDir dir;
    WriteFileBytes(dir / "level.dat", dat);
    Result<Level> level = LoadDat(dir / "level.dat", dir / "level.raw", RawBlocks());
    // Reading only the header refuses the same files for the same reasons.
    Result<DatHeader> header = LoadDatHeader(dir / "level.dat");
    EXPECT_EQ(static_cast<bool>(header), static_cast<bool>(level));
    if (header && level) {
        const DatHeader& h = level.value().header();
        EXPECT_EQ(std::tie(header.value().resourceCount, header.value().nameCount, header.value().dataTableOffset,
                           header.value().nameTableOffset),
                  std::tie(h.resourceCount, h.nameCount, h.dataTableOffset, h.nameTableOffset));
    } else if (!header && !level) {
        EXPECT_EQ(header.error(), level.error());
    }
    return level;
}

Level LoadBuilt(const LevelBuilder& b) {
    Result<Level> level = Load(b.BuildDat());
    if (!level) throw std::runtime_error(level.error());
    return std::move(level.value());
}

}  // namespace

TEST(LoadDat, ReadsHeaderDescriptorsAndNames) {
    LevelBuilder b;
    b.Add("TXMP", "wall/a\tb\\c\x1f d", 40);
    b.AddUnnamed("AKEV");
    b.Add("M3GM", "gun");
    // One bit more or one bit less than the named flags: unnamed, even with a name entry.
    for (std::uint32_t flags : {0x00300001u, 0x00200000u}) {
        b.AddResource({"SNDD", "ignored", flags, Bytes(32, 0), true, std::nullopt});
    }
    // The last name runs far past the name table's other entries.
    const std::string longName = std::string(9000, 'n') + "/end";
    b.Add("TXMP", longName);
    const auto layout = b.LayoutOf();
    const Level level = LoadBuilt(b);
    // The header's fields and a descriptor's tag, offset, size and flags show in InfoText's test.
    const ResourceRecord& r = level.at(0);
    EXPECT_EQ(r.name, "wall_a_b\\c_ d") << "slashes and control bytes (1 to 31) become _";
    EXPECT_EQ(level.IdentifierOf(r), LevelBuilder::IdentifierOf(0));
    EXPECT_EQ(level.at(5).name, std::string(9000, 'n') + "_end");
    // Descriptors may name any entry (offset 8 of the descriptor, from the name table): resource 0
    // names resource 2's, which comes later in the file, and resources 2 and 5 share resource 0's.
    Bytes dat = b.BuildDat();
    const auto entry = [&](int i) { return static_cast<std::uint32_t>(layout.nameOffsets[i] - layout.nameTable); };
    for (auto [resource, named] : {std::pair{0, 2}, {2, 0}, {5, 0}}) PutU32(dat, 64 + resource * 20 + 8, entry(named));
    Result<Level> sharing = Load(dat);
    ASSERT_TRUE(sharing) << sharing.error();
    for (auto [i, name, tag] :
         {std::tuple{0, "gun", "M3GM"}, {2, "wall_a_b\\c_ d", "TXMP"}, {5, "wall_a_b\\c_ d", "TXMP"}})
        EXPECT_EQ(std::tie(sharing.value().at(i).name, sharing.value().at(i).tag), std::tuple(name, tag)) << i;
    // Unnamed records are numbered in table order, their tag the stored one reversed.
    for (auto [i, name, tag] : {std::tuple{1, "File_#1", "AKEV"}, {3, "File_#2", "SNDD"}, {4, "File_#3", "SNDD"}})
        EXPECT_EQ(std::tie(level.at(i).name, level.at(i).tag), std::tuple(name, tag)) << i;
}

TEST(LoadDat, RawLocationsFollowEachKindsRecord) {
    // Tag, record, the raw size and offset read from it.
    using Case = std::tuple<const char*, Bytes, std::int64_t, std::optional<std::uint32_t>>;
    const Case cases[] = {
        {"TXMP", TextureRecordData(256, 128, 8, 64), 131072, 64},
        {"TXMP", TextureRecordData(256, 128, 1, 96), 65536, 96},
        {"TXMP", TextureRecordData(256, 128, 9, 128), 16384, 128},
        {"TXMP", TextureRecordData(6, 6, 9, 0), 32, 0},  // whole 4 x 4 blocks; offset 0 is a real location
        {"TXMP", TextureRecordData(1, 1, 9, 0), 8, 0},
        {"TXMP", TextureRecordData(256, 128, 4, 160), 0, 160},  // no length, but its offset
        {"TXMP", TextureRecordData(-4, 4, 1, 0), 0, 0},
        {"TXMP", TextureRecordData(32767, 32767, 8, 0), 0, 0},  // past what a 32-bit offset addresses
        {"SNDD", BytesOf(SoundRecord{{}, {}, {}, {}, 5000, 320, {}}), 5000, 320},
        {"OSBD", BytesOf(BulkRecord{{}, 70, 640, {}}), 70, 640},
        {"BINA", BytesOf(BulkRecord{{}, 80, 0, {}}), 80, 0},
        {"SUBT", BytesOf(SubtitleRecord{{}, {}, 1024, 3}), 768, 1024},  // three entries
        {"M3GM", BytesOf(SoundRecord{{}, {}, {}, {}, 5000, 320, {}}), 0, std::nullopt},
    };
    LevelBuilder b;
    for (const auto& [tag, data, size, offset] : cases) b.AddData(tag, "r", data);
    const Level level = LoadBuilt(b);
    for (int i = 0; const auto& [tag, data, size, offset] : cases) {
        const RawSlot slot = level.RawSlotOf(level.at(i));
        EXPECT_EQ(std::pair(slot.size, slot.offset), std::pair(size, offset)) << i;
        ++i;
    }
}

TEST(LoadDat, IdentifiersResolveToTheFirstRecordAndDataOutsideTheFileIsNoRefusal) {
    LevelBuilder b;
    for (const char* name : {"first", "second", "third", "far", "last"}) b.Add("TXMP", name);
    for (int i : {1, 2}) {
        b.resource(i).setIdentifier = false;
        PutU32(b.resource(i).data, 0, 0xABCD);
    }
    Bytes dat = b.BuildDat();
    PutU32(dat, DataOffsetFieldOf(3), 0x7FFFFF00);
    // The last resource's data: the file's last four bytes, an identifier still.
    const std::int64_t base = LoadBuilt(b).header().dataTableOffset;
    PutU32(dat, DataOffsetFieldOf(4), static_cast<std::uint32_t>(static_cast<std::int64_t>(dat.size()) - 4 - base));
    Result<Level> level = Load(dat);
    ASSERT_TRUE(level) << level.error();
    const std::uint32_t last = LoadU32(&dat[dat.size() - 4]);
    EXPECT_EQ(level.value().Resolve(last), &level.value().at(4));
    EXPECT_EQ(level.value().IndexOf(0xABCD), 1);
    EXPECT_EQ(level.value().Resolve(LevelBuilder::IdentifierOf(0)), &level.value().at(0));
    EXPECT_EQ(level.value().Resolve(0x12345678), nullptr);
    EXPECT_FALSE(level.value().IdentifierOf(level.value().at(3)).has_value());
    EXPECT_FALSE(level.value().RawSlotOf(level.value().at(3)).offset.has_value());
    // Enough scattered identifiers (and one twice) to share slots of the index.
    LevelBuilder many;
    std::vector<std::uint32_t> ids;
    for (std::uint32_t i = 0, x = 1; i < 3000; ++i) {
        x = x * 1664525u + 1013904223u;
        ids.push_back(i == 2999 ? ids[5] : x);
        many.Add("M3GM", "m");
        many.resource(static_cast<int>(i)).setIdentifier = false;
        PutU32(many.resource(static_cast<int>(i)).data, 0, ids.back());
    }
    const Level big = LoadBuilt(many);
    // The first links are found by walking the table, the later ones through the index: both give the first.
    for (int i = 0; i < 2999; ++i) ASSERT_EQ(big.Resolve(ids[static_cast<std::size_t>(i)]), &big.at(i)) << i;
    EXPECT_EQ(big.Resolve(ids[2999]), &big.at(5));
    EXPECT_EQ(big.Resolve(0x12345678), nullptr);
}

// Loading reads no resource's data: identifiers are read when first needed
// (the index, built for a link, reads them all) and kept from then on, for the whole level.
TEST(LoadDat, IdentifiersAreReadWhenFirstNeededAndKept) {
    LevelBuilder b;
    for (const char* name : {"first", "second", "third"}) b.Add("TXMP", name);
    Bytes dat = b.BuildDat();
    const Level level = LoadBuilt(b);
    const auto rewrite = [&](std::uint32_t identifier) {
        PutU32(dat, static_cast<std::size_t>(level.at(1).dataOffset), identifier);
        WriteFileBytes(level.datPath(), dat);
    };
    rewrite(0xBEEF);
    EXPECT_EQ(level.Resolve(0xBEEF), &level.at(1));
    rewrite(0xCAFE);
    EXPECT_EQ(level.Resolve(0xCAFE), nullptr);
    EXPECT_EQ(level.IdentifierOf(level.at(1)), 0xBEEFu);
    // A record that is not the table's own is read, not looked up by its place.
    const ResourceRecord outside = level.at(1);
    EXPECT_EQ(level.IdentifierOf(outside), level.IdentifierOf(level.at(1)));
    // A copy knows nothing read before; reading a record keeps its identifier.
    const Level copy = level.Copy();
    copy.ReadData(copy.at(1), 4);
    rewrite(0xD00D);
    EXPECT_EQ(copy.Resolve(0xCAFE), &copy.at(1));
}

// Damaged files: every one is refused with a reason, none makes the loader
// crash, hang or read outside the file (the sanitizers watch the reads).
TEST(LoadDat, RefusesDamagedFiles) {
    LevelBuilder b;
    b.Add("TXMP", "wall", 192);
    b.AddUnnamed("AKEV", 64);
    b.Add("SNDD", "door.aif", 96);
    b.Add("M3GM", "gun", 48);
    const auto l = b.LayoutOf();
    const Bytes good = b.BuildDat();
    ASSERT_TRUE(Load(good));
    auto cut = [&](std::int64_t n) { return Bytes(good.begin(), good.begin() + n); };
    auto with = [&](std::size_t at, std::uint32_t v) {
        Bytes d = good;
        PutU32(d, at, v);
        return d;
    };
    const std::vector<std::pair<const char*, Bytes>> damages{
        {"empty", {}},
        {"magic reversed", with(0, __builtin_bswap32(kDatMagic))},
        {"magic only", cut(4)},
        {"cut inside the header", cut(47)},
        {"cut inside a descriptor", cut(64 + 20 + 7)},
        {"cut inside the data", cut(l.dataOffsets[2] + 10)},
        {"cut at the name table", cut(l.nameTable)},
        {"cut inside a name", cut(l.nameOffsets[3] + 6)},
        {"names without zero bytes", cut(l.nameTable) + Bytes(good.size() - l.nameTable, 'x')},
        {"negative count", with(20, 0x80000000)},
        {"largest count", with(20, 0x7FFFFFFF)},
        {"name table past the end", with(40, 0x7FFFFFF0)},
        {"name offset past the end", with(DataOffsetFieldOf(0) + 4, 0x00FFFFFF)},
        {"name offset before the start", with(DataOffsetFieldOf(2) + 4, static_cast<std::uint32_t>(-l.nameTable - 1))},
    };
    for (const auto& [what, bytes] : damages) {
        const Result<Level> level = Load(bytes);
        ASSERT_FALSE(level) << what;
        EXPECT_FALSE(level.error().empty()) << what;
    }
    TempDir dir;
    EXPECT_FALSE(LoadDat(dir / "absent.dat", "", RawBlocks()));
    EXPECT_FALSE(LoadDat(dir.path(), "", RawBlocks()));
}
