// Records that claim more than a picture, mesh, sound or text may hold are
// refused, saying which limit, before memory is taken for them.

#include "Fixture.h"
#include "convert/Converters.h"
#include "convert/ModelGeometry.h"
#include "level/records/BulkRecords.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"
#include "level/records/TextureRecords.h"

#include <unistd.h>

using namespace drossel;
using namespace drossel::testing;

namespace {

// A list that claims `count` entries without holding them: the count alone must refuse it.
template <typename Header = ListHeader>
std::uint32_t List(LevelBuilder& b, const std::string& tag, std::int64_t count) {
    const auto claimed = static_cast<decltype(Header::count)>(count);
    return LevelBuilder::IdentifierOf(b.AddData(tag, tag, RecordWith(&Header::count, claimed)));
}

}  // namespace

TEST(Limits, TheLargestSizesAreAllowed) {
    EXPECT_NO_THROW(RequirePictureSize(8192, 8192));
    EXPECT_THROW(PixelBuffer(8193, 8192, PixelBuffer::Unfilled{}), DrosselError);
    EXPECT_NO_THROW(RequireMeshSize(kMaxMeshPoints, kMaxMeshPoints, "the points"));
}

TEST(Limits, ConvertersRefuseWhatPassesALimit) {
    LevelBuilder b;
    const int huge = b.AddData("TXMP", "huge", TextureRecordData(8193, 8192, 9, 0));
    const int array =
        b.AddData("TXMA", "array", ListOf(ListHeader{}, std::vector<std::uint32_t>{LevelBuilder::IdentifierOf(huge)}));
    const int sndd = b.AddData("SNDD", "long", RecordWith(&SoundRecord::sampleLength, (256 << 20) + 1));
    const int gun = b.AddData("M3GM", "gun",
                              RecordWith(&ModelRecord::points, List<PointListHeader>(b, "PNTA", kMaxMeshPoints + 1)));
    EnvironmentRecord env{};
    env.points = List<PointListHeader>(b, "PNTA", 0);
    env.quads = List(b, "AGQG", kMaxMeshTriangles / 2 + 1);
    const std::uint32_t environment = LevelBuilder::IdentifierOf(b.AddData("AKEV", "env", BytesOf(env)));
    const int onlv = b.AddData("ONLV", "level", RecordWith(&LevelRecord::environment, environment));
    const int subt = b.AddData("SUBT", "lines", RecordWith(&SubtitleRecord::entryCount, (64 << 20) / 256 + 1));
    OpenedLevel l(b);
    // The huge texture's pixels are all there, as zero bytes the file system does not store.
    ASSERT_EQ(::truncate(l.level().rawPath().c_str(), StoredPixelLength(8193, 8192, 9).value()), 0);
    // What the refusal, or the missing parts of what was converted, says.
    const std::tuple<int, Converter, std::string> cases[] = {
        {huge, ConvertTxmp, "8193 x 8192 pixels has more than the 67108864 pixels a picture may have"},
        {array, ConvertTextureList, "texture huge is missing (a picture of 8193 x 8192 pixels has more than"},
        {sndd, ConvertSndd, "268435457 bytes of sample data are more than the 268435456 a sound may have"},
        {gun, ExportModel, "the points of gun number 4194305, more than the 4194304 a mesh may have"},
        {onlv, ConvertLevel, "its quads number 2097153"},
        {subt, ConvertSubt, "its text would take more than the 67108864 bytes a text may have"},
    };
    for (const auto& [index, convert, says] : cases) {
        std::string missing;
        const std::string problem = ErrorOf(
            [&] { missing = convert(l.level(), l.level().at(index), l.session.options, NoProgress()).missingParts; });
        EXPECT_NE((problem + missing).find(says), std::string::npos) << says << "\n" << problem << missing;
    }
}

// Each quad's material is named by its texture: a long name on many quads makes text too.
TEST(Limits, TheMaterialNamesOfALevelAreText) {
    LevelBuilder b = demo::BuildDemoLevel();
    Bytes& byQuad = b.resource(b.IndexNamed("level1_AGQR")).data;
    for (std::size_t at = 32; at < byQuad.size(); at += 4) PutU32(byQuad, at, 0);  // texture 0 on every quad
    b.resource(b.IndexNamed("wall_arrow_bgra32")).name = std::string(5'200'000, 'w');
    const std::string refused =
        ErrorOf([&] { Converted(b, b.IndexNamed("level1"), ConvertLevel, {.LevelFormat = 8}); });
    EXPECT_EQ(refused, "its text would take more than the 67108864 bytes a text may have");
}
