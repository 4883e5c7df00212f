// Records that claim more than a picture, mesh, sound or text may hold are
// refused, saying which limit, before memory is taken for them.

#include "Fixture.h"
#include "convert/Converters.h"
#include "convert/ModelGeometry.h"
#include "io/Error.h"
#include "level/records/BulkRecords.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"
#include "level/records/TextureRecords.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <functional>

using namespace drossel;
using namespace drossel::testing;

namespace {

// A list that claims `count` entries without holding them: the count alone must refuse it.
template <typename Header = ListHeader>
std::uint32_t List(LevelBuilder& b, const std::string& tag, std::int64_t count) {
    Header header{};
    header.count = static_cast<std::uint32_t>(count);
    return LevelBuilder::IdentifierOf(b.AddData(tag, tag, BytesOf(header)));
}

int HugeTexture(LevelBuilder& b) {
    return b.AddData("TXMP", "huge", TextureRecordData(8193, 8192, 9, 0));
}

struct Oversized {
    std::function<int(LevelBuilder&)> add;
    Converter convert;
    std::string says;  // in the refusal, or in the missing parts of what was converted
};

}  // namespace

TEST(Limits, TheLargestSizesAreAllowed) {
    EXPECT_NO_THROW(RequirePictureSize(8192, 8192));
    EXPECT_THROW(PixelBuffer(8193, 8192, PixelBuffer::Unfilled{}), DrosselError);
    EXPECT_NO_THROW(RequireMeshSize(kMaxMeshPoints, kMaxMeshPoints, "the points"));
}

TEST(Limits, ConvertersRefuseWhatPassesALimit) {
    const std::vector<Oversized> cases{
        {HugeTexture, ConvertTxmp, "8193 x 8192 pixels has more than the 67108864 pixels a picture may have"},
        {[](LevelBuilder& b) {
             Bytes list = BytesOf(ListHeader{});
             PutU32(list, 28, 1);
             PutU32(list, 32, LevelBuilder::IdentifierOf(HugeTexture(b)));
             return b.AddData("TXMA", "array", list);
         },
         ConvertTextureList, "texture huge is missing (a picture of 8193 x 8192 pixels has more than"},
        {[](LevelBuilder& b) {
             SoundRecord s{};
             s.sampleLength = (256 << 20) + 1;
             return b.AddData("SNDD", "long", BytesOf(s));
         },
         ConvertSndd, "268435457 bytes of sample data are more than the 268435456 a sound may have"},
        {[](LevelBuilder& b) {
             ModelRecord m{};
             m.points = List<PointListHeader>(b, "PNTA", kMaxMeshPoints + 1);
             return b.AddData("M3GM", "gun", BytesOf(m));
         },
         ExportModel, "the points of gun number 4194305, more than the 4194304 a mesh may have"},
        {[](LevelBuilder& b) {
             EnvironmentRecord e{};
             e.points = List<PointListHeader>(b, "PNTA", 0);
             e.quads = List(b, "AGQG", kMaxMeshTriangles / 2 + 1);
             LevelRecord level{};
             level.environment = LevelBuilder::IdentifierOf(b.AddData("AKEV", "env", BytesOf(e)));
             return b.AddData("ONLV", "level", BytesOf(level));
         },
         ConvertLevel, "its quads number 2097153"},
        {[](LevelBuilder& b) {
             SubtitleRecord s{};
             s.entryCount = (64 << 20) / 256 + 1;
             return b.AddData("SUBT", "lines", BytesOf(s));
         },
         ConvertSubt, "its text would take more than the 67108864 bytes a text may have"},
    };
    for (const Oversized& c : cases) {
        LevelBuilder b;
        const int index = c.add(b);
        OpenedLevel l(b);
        // The huge texture's pixels are all there, as zero bytes the file system does not store.
        ASSERT_EQ(::truncate(l.level().rawPath().c_str(), StoredPixelLength(8193, 8192, 9).value()), 0);
        std::string problem;
        try {
            problem = c.convert(l.level(), l.level().at(index), l.session.options, NoProgress()).missingParts;
        } catch (const DrosselError& e) {
            problem = e.what();
        }
        EXPECT_NE(problem.find(c.says), std::string::npos) << c.says << "\n" << problem;
    }
}
