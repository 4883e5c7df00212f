// Records that claim more than a picture, mesh, sound or text may hold are
// refused, saying which limit, before memory is taken for them.

#include "Fixture.h"
#include "convert/Converters.h"
#include "convert/ModelGeometry.h"
#include "image/PixelBuffer.h"
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

std::uint32_t Id(int index) {
    return LevelBuilder::IdentifierOf(index);
}

// A list of `count` entries whose entries are not there: the count alone must refuse it.
template <typename Header = ListHeader>
int AddList(LevelBuilder& b, const std::string& tag, std::int64_t count) {
    Header header{};
    header.count = static_cast<std::uint32_t>(count);
    return b.AddData(tag, tag, BytesOf(header));
}

int AddModel(LevelBuilder& b, std::int64_t points, std::int64_t triangles) {
    ModelRecord m{};
    m.points = Id(AddList<PointListHeader>(b, "PNTA", points));
    m.triangles = Id(AddList(b, "IDXA", triangles));
    return b.AddData("M3GM", "gun", BytesOf(m));
}

struct Oversized {
    const char* what;
    std::function<int(LevelBuilder&)> add;
    Converter convert;
    std::string says;
    std::int64_t rawLength = 0;  // the .raw file holds this many (zero) bytes
};

}  // namespace

TEST(Limits, PicturesOfMoreThanTheLargestSizeAreRefusedBeforeMemoryIsTaken) {
    for (auto [width, height, refused] : {std::tuple{8192, 8192, false},
                                          {65536, 1024, false},
                                          {8193, 8192, true},
                                          {32767, 32767, true},
                                          {0, 1 << 30, false}}) {
        EXPECT_EQ(std::int64_t{width} * height > kMaxPicturePixels, refused) << width << " x " << height;
        if (refused) {
            EXPECT_THROW(PixelBuffer(width, height, PixelBuffer::Unfilled{}), DrosselError) << width;
        } else {
            EXPECT_NO_THROW(RequirePictureSize(width, height)) << width;
        }
    }
}

TEST(Limits, AMeshOrTextAtItsLimitIsWhole) {
    EXPECT_NO_THROW(RequireMeshSize(kMaxMeshPoints, kMaxMeshPoints, "the points"));
    EXPECT_THROW(RequireMeshSize(kMaxMeshPoints + 1, kMaxMeshPoints, "the points"), DrosselError);
    EXPECT_NO_THROW(RequireTextSize(kMaxTextBytes));
    EXPECT_THROW(RequireTextSize(kMaxTextBytes + 1), DrosselError);
}

TEST(Limits, ConvertersRefuseWhatPassesALimit) {
    const std::vector<Oversized> cases{
        {"texture", [](LevelBuilder& b) { return b.AddData("TXMP", "huge", TextureRecordData(8193, 8192, 9, 0)); },
         ConvertTxmp, "8193 x 8192 pixels has more than the 67108864 pixels a picture may have",
         StoredPixelLength(8193, 8192, 9).value()},
        {"sound",
         [](LevelBuilder& b) {
             SoundRecord s{};
             s.sampleLength = (256 << 20) + 1;
             return b.AddData("SNDD", "long", BytesOf(s));
         },
         ConvertSndd, "268435457 bytes of sample data are more than the 268435456 a sound may have"},
        {"model points", [](LevelBuilder& b) { return AddModel(b, kMaxMeshPoints + 1, 0); }, ExportModel,
         "the points of gun number 4194305, more than the 4194304 a mesh may have"},
        {"model triangles", [](LevelBuilder& b) { return AddModel(b, 3, kMaxMeshTriangles + 1); }, ExportModel,
         "the triangles of gun number 4194305"},
        {"level quads",
         [](LevelBuilder& b) {
             EnvironmentRecord e{};
             e.points = Id(AddList<PointListHeader>(b, "PNTA", 0));
             e.quads = Id(AddList(b, "AGQG", kMaxMeshTriangles / 2 + 1));
             LevelRecord level{};
             level.environment = Id(b.AddData("AKEV", "env", BytesOf(e)));
             return b.AddData("ONLV", "level", BytesOf(level));
         },
         ConvertLevel, "its quads number 2097153"},
        {"subtitles",
         [](LevelBuilder& b) {
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
        ASSERT_EQ(::truncate(l.level().rawPath().c_str(), c.rawLength), 0);
        try {
            c.convert(l.level(), l.level().at(index), l.session.options, NoProgress());
            ADD_FAILURE() << c.what << " was converted";
        } catch (const DrosselError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

TEST(Limits, ATextureListLeavesOutATextureLargerThanAPicture) {
    LevelBuilder b;
    const int huge = b.AddData("TXMP", "huge", TextureRecordData(8193, 8192, 9, 0));
    const int list = b.AddData("TXMA", "array", [&] {
        Bytes bytes = BytesOf(ListHeader{});
        PutU32(bytes, 28, 1);
        PutU32(bytes, 32, Id(huge));
        return bytes;
    }());
    OpenedLevel l(b);
    ASSERT_EQ(::truncate(l.level().rawPath().c_str(), StoredPixelLength(8193, 8192, 9).value()), 0);
    const Conversion c = ConvertTextureList(l.level(), l.level().at(list), l.session.options);
    EXPECT_EQ(c.pieces.size(), 1u) << "the list file alone";
    EXPECT_NE(c.missingParts.find("texture huge is missing (a picture of 8193 x 8192"), std::string::npos)
        << c.missingParts;
}
