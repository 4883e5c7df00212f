// drossel-cli's unpack and convert commands, run as a shell would run them.

#include "../extract/LevelFixture.h"
#include "../image/ImageReadBack.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace drossel;
using namespace drossel::testing;

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> outLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

struct Cli {
    TempDir dir;
    std::string dat;
    std::string out;
    Session session;  // the same level, loaded by the core to look up resources

    Cli() : out(dir / "out") {
        std::filesystem::create_directory(out);
        session = OpenDemoLevel(dir);
        dat = session.datPath;
    }
    explicit Cli(const LevelBuilder& builder) : out(dir / "out") {
        std::filesystem::create_directory(out);
        session = OpenBuiltLevel(builder, dir);
        dat = session.datPath;
    }
    Result Run(const std::string& arguments) const {
        Result r;
        const std::string err = dir / "stderr.txt";
        r.out = RunCommand(std::string("'") + DROSSEL_CLI_PATH + "' " + arguments + " 2>'" + err + "'", &r.status);
        const Bytes e = ReadFileBytes(err);
        r.err.assign(e.begin(), e.end());
        return r;
    }
    std::int32_t IndexOf(const std::string& name) const {
        for (std::int32_t i = 0; i < session.table.count(); ++i) {
            if (session.table.at(i).name == name) return i;
        }
        ADD_FAILURE() << "no resource " << name;
        return -1;
    }
    std::string Out(const std::string& name) const { return out + "/" + name; }
};

}  // namespace

TEST(CliUnpackAll, DemoLevel) {
    Cli c;
    const Result r = c.Run("unpack-all '" + c.dat + "' '" + c.out + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    const auto lines = r.outLines();
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(c.session.table.count() - 1));
    EXPECT_EQ(CountFiles(c.out), lines.size());
    for (const auto& line : lines) EXPECT_TRUE(Exists(line)) << line;
    EXPECT_EQ(lines.front(), c.Out(c.session.table.at(0).name + "." + c.session.table.at(0).tag));
    EXPECT_EQ(ReadFileBytes(c.Out("wall_arrow.TXMP")).size(), 192u + 64 * 64 * 2);
    EXPECT_EQ(ReadFileBytes(c.Out("door_open.aif.SNDD")).size(), 96u);
}

TEST(CliConvertAll, DemoLevelInEveryImageOption) {
    Cli c;
    struct Option {
        const char* name;
        const char* extension;
        std::size_t titleBytes;
    };
    for (const Option o : {Option{"tga32", ".tga", 18 + 640 * 512 * 4}, Option{"tga24", ".tga", 18 + 640 * 512 * 3},
                           Option{"bmp32", ".bmp", 54 + 640 * 512 * 4}, Option{"bmp24", ".bmp", 54 + 640 * 512 * 3}}) {
        std::filesystem::remove_all(c.out);
        std::filesystem::create_directory(c.out);
        const Result r = c.Run(std::string("--image ") + o.name + " convert-all '" + c.dat + "' '" + c.out + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.outLines().size(), 24u) << o.name;
        EXPECT_EQ(CountFiles(c.out), 24u) << o.name;
        EXPECT_EQ(ReadFileBytes(c.Out(std::string("title_screen") + o.extension)).size(), o.titleBytes) << o.name;
        // The key icon strip is always 24 bits deep.
        EXPECT_EQ(ReadFileBytes(c.Out(std::string("KeyIcons") + o.extension)).size(),
                  (o.extension == std::string(".bmp") ? 54u : 18u) + 320 * 32 * 3);
    }
}

TEST(CliUnpack, WritesTheResourceToOut) {
    Cli c;
    const std::int32_t index = c.IndexOf("wall_arrow_dxt1");
    const Result r = c.Run("unpack '" + c.dat + "' " + std::to_string(index) + " '" + c.Out("x.bin") + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.Out("x.bin") + "\n");
    EXPECT_EQ(ReadFileBytes(c.Out("x.bin")).size(), 192u + 64 * 64 / 2);

    const Result outside = c.Run("unpack '" + c.dat + "' 99999 '" + c.Out("y.bin") + "'");
    EXPECT_EQ(outside.status, 2);
    EXPECT_FALSE(Exists(c.Out("y.bin")));
}

TEST(CliConvert, ConvertsOneResourceAndRefusesKindsWithoutConverter) {
    Cli c;
    const Result r = c.Run("--image bmp24 convert '" + c.dat + "' " + std::to_string(c.IndexOf("title_screen")) + " '" +
                           c.Out("t.png") + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.Out("t.bmp") + "\n") << "a large texture takes the image option's extension";
    const auto picture = ReadWithImageMagick(c.Out("t.bmp"));
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 640);

    const Result none = c.Run("convert '" + c.dat + "' " + std::to_string(c.IndexOf("level1_environment")) + " '" +
                              c.Out("env.txt") + "'");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("has no converter"), std::string::npos) << none.err;
    EXPECT_TRUE(none.out.empty());
}

TEST(CliConvert, BrokenTextureFailsWithItsReason) {
    LevelBuilder b;
    b.AddTexture("broken", 64, 64, 1, Bytes(100, 0));
    Cli c(b);
    const Result r = c.Run("convert '" + c.dat + "' 0 '" + c.Out("broken.tga") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot convert texture broken"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(Exists(c.Out("broken.tga")));
}

TEST(CliConvertAll, FailingResourceFailsTheRunButNotTheOthers) {
    LevelBuilder b;
    b.AddTexture("broken", 64, 64, 1, Bytes(100, 0));
    b.AddTexture("fine", 4, 4, 1, Bytes(32, 0));
    Cli c(b);
    const Result r = c.Run("convert-all '" + c.dat + "' '" + c.out + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot convert texture broken"), std::string::npos) << r.err;
    EXPECT_EQ(r.outLines(), std::vector<std::string>{c.Out("fine.tga")});
}

TEST(CliGroups, UnpackAndConvertTheTextureGroup) {
    Cli c;
    const Result unpacked = c.Run("--quiet unpack-group '" + c.dat + "' TXMP '" + c.out + "'");
    EXPECT_EQ(unpacked.status, 0) << unpacked.err;
    EXPECT_TRUE(unpacked.err.empty()) << unpacked.err;
    EXPECT_EQ(unpacked.outLines().size(), 22u);
    EXPECT_TRUE(Exists(c.Out("wall_arrow.txmp")));

    const Result converted = c.Run("convert-group '" + c.dat + "' TXMP '" + c.out + "'");
    EXPECT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(converted.outLines().size(), 22u);
    EXPECT_TRUE(Exists(c.Out("key_icon_9.tga")));
    EXPECT_NE(converted.err.find("All Textures have been exported successfully!"), std::string::npos);

    const Result nothing = c.Run("convert-group '" + c.dat + "' SNDD '" + c.out + "'");
    EXPECT_EQ(nothing.status, 0);
    EXPECT_TRUE(nothing.out.empty());

    EXPECT_EQ(c.Run("unpack-group '" + c.dat + "' NOPE '" + c.out + "'").status, 2);
    EXPECT_EQ(c.Run("convert-all '" + c.dat + "' '" + c.Out("missing") + "'").status, 1);
}
