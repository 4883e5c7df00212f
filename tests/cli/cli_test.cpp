// drossel-cli, run as a user runs it: each command's wiring, its output lines
// and its exit status. What the commands do is tested in the core.

#include "Fixture.h"
#include "Pictures.h"
#include "image/ImageFile.h"

#include <filesystem>
#include <map>
#include <sstream>

using namespace drossel::testing;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct CliLevel : ::testing::Test {
    void SetUp() override {
        LevelBuilder b;
        std::array<std::uint32_t, 10> icons{};
        icons.fill(LevelBuilder::IdentifierOf(b.AddTexture("wall", 4, 4, 1, Bytes(32, 0))));  // 0
        b.AddUnnamed("AKEV");                                                                 // 1
        b.AddTexture("broken", 64, 64, 1, {});                                                // 2
        icons[3] = 0xDEAD;
        b.AddKeyIcons("keys", icons);  // 3, its fourth icon missing
        dat = b.Write(dir / "level");
    }
    TempDir dir;
    std::string dat;
};

}  // namespace

TEST_F(CliLevel, InfoTreeAndShowPrintWhatTheWindowsShow) {
    auto r = RunCli({"info", "--raw", "/elsewhere/x.raw", dat});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out).at(0), "Oni Dat File Info:");
    EXPECT_EQ(Lines(r.out).at(2), "RAW File: /elsewhere/x.raw");
    r = RunCli({"tree", "--zephyr", dat});
    const auto lines = Lines(r.out);
    EXPECT_EQ(lines.at(0), "BINA\tGeneric Binary Data Reference");
    EXPECT_EQ(lines.back(), "\tK1\tFile_#1") << "the unnamed group comes last";
    r = RunCli({"show", dat, "0"});
    EXPECT_EQ(Lines(r.out).at(0), "Name: wall");
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST_F(CliLevel, ExitStatusTellsFailureFromMisuse) {
    WriteFileBytes(dir / "bad.dat", Bytes(64, 1));
    const std::vector<std::pair<std::vector<std::string>, int>> cases{
        {{"info", dir / "bad.dat"}, 1},
        {{"show", dat, "4"}, 2},
        {{"frobnicate", dat}, 2},
        {{"info", "--image", "gif", dat}, 2},
        {{"convert", dat, "1", dir / "x.tga"}, 1},        // no converter for AKEV
        {{"convert", dat, "0", ""}, 1},                   // nothing would be written
        {{"replace-sound", dat, "0", dir / "x.wav"}, 1},  // the edits refuse other kinds
        {{"replace-texture", dat, "1", dir / "x.png"}, 1},
        {{"replace-texture", dat, "3", dir / "x.png"}, 1},  // key icons are not replaced
        {{"set-string", dat, "0", "text"}, 1},
        {{"set-lights", dat, "1", "--all-quads", "--colour", "1", "1,2,3,4"}, 1},
        {{"set-lights", dat, "1", "--all-quads"}, 2},  // no colour given
        {{"unpack-group", dat, "NOPE", dir.path()}, 2},
        {{"unpack-all", dat, dir / "bad.dat"}, 1},      // the folder is a file
        {{"convert-group", dat, "k0", dir.path()}, 1},  // no folder rule: it says so
    };
    for (const auto& [arguments, status] : cases) {
        const auto r = RunCli(arguments);
        EXPECT_EQ(r.exitCode, status) << arguments[0] << " " << arguments.back() << ": " << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(RunCli({"info", dir / "bad.dat"}).err.substr(0, 39), "This File is not valid a Oni DAT File!\n");
    WriteFileBytes(dir / "wall.tga", EncodeTga(drossel::PixelBuffer(4, 4), 32));
    const auto replaced = RunCli({"replace-texture", dat, "0", dir / "wall.tga"});
    EXPECT_EQ(std::tie(replaced.exitCode, replaced.out, replaced.err),
              std::tuple(0, "", "Status: Replaced wall with wall.tga (32 bytes, 4 x 4 ARGB 1-5-5-5)\n"));
}

TEST_F(CliLevel, AQuadIsNamedAsItWasGiven) {
    const LevelBuilder level = drossel::demo::BuildDemoLevel();
    const auto r = RunCli({"set-lights", level.Write(dir / "demo"), std::to_string(level.IndexNamed("level1_AGQG")),
                           "--quad", "18446744073709551616", "--colour", "1", "1,2,3,4"});
    EXPECT_NE(r.err.find("--quad 18446744073709551616 is outside the quads (0 to 15)"), std::string::npos);
}

TEST_F(CliLevel, SingleCommandsPrintTheFilesTheyWrite) {
    auto r = RunCli({"convert", "--image", "bmp24", dat, "0", dir / "wall.bmp"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, dir / "wall.bmp\n");
    EXPECT_EQ(ReadFileBytes(dir / "wall.bmp").size(), 54u + 4 * 12);
    r = RunCli({"unpack", dat, "1", dir / "env.bin"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, dir / "env.bin\n");
    // Missing parts are said on stderr, and the conversion still succeeds.
    r = RunCli({"convert", dat, "3", dir / "keys.tga"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Status: Converted key icons keys, but icon 4 is missing (no resource has identifier 57005)\n");
}

TEST_F(CliLevel, BatchesMakeTheirFolderAndFailWhenAResourceFails) {
    const std::string out = dir / "new/out";
    auto r = RunCli({"convert-all", dat, out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Lines(r.out), (std::vector<std::string>{out + "/wall.tga", out + "/keys.tga"}));
    EXPECT_NE(r.err.find("Cannot convert texture broken"), std::string::npos) << r.err;
    r = RunCli({"unpack-all", dat, out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Lines(r.out).size(), 3u);
    r = RunCli({"convert-group", dat, "TXMP", out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("1 of 2 resources could not be converted."), std::string::npos) << r.err;
    r = RunCli({"unpack-group", "--zephyr", dat, "UNKN", out});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), std::vector<std::string>{out + "/File_#1.AKEV"});
}

// --3d-format and --image reach every command: the demo level's models, weapon, character and level as glTF
// binary files the validator passes, every picture as a PNG with the pixels of the TGA of the same texture.
TEST(CliDemo, GlbAndPngForEveryCommand) {
    TempDir dir;
    const std::string dat = drossel::demo::BuildDemoLevel().Write(dir / "demo");
    const auto run = [&](std::vector<std::string> arguments, bool glb) {
        if (glb) arguments.insert(arguments.begin() + 1, {"--3d-format", "glb", "--image", "png"});
        const ProgramResult r = RunCli(arguments);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return Lines(r.out);
    };
    for (bool glb : {false, true}) {
        for (const char* group : {"TRMA", "ONWC"}) run({"convert-group", dat, group, dir / (glb ? "glb" : "lwo")}, glb);
        run({"convert-all", dat, dir / (glb ? "glb" : "lwo")}, glb);
    }
    const std::string level = dir / "glb/level1";
    run({"convert", "--all-quads-geometry", dat, "70", level + "_all.lwo"}, true);
    EXPECT_GT(std::filesystem::file_size(level + "_all.glb"), std::filesystem::file_size(level + ".glb"));
    EXPECT_EQ(run({"convert", "--character-group", "all", dat, "43", dir / "glb/hero.glb"}, true).size(), 5u);
    std::vector<std::string> glbs;
    int pngs = 0;
    for (const auto& file : std::filesystem::directory_iterator(dir / "glb")) {
        const std::string extension = file.path().extension();
        if (extension == ".glb") glbs.push_back(file.path());
        if (extension != ".png") continue;
        ++pngs;
        const auto png = ReadWithImageMagick(file.path());
        const auto tga = ReadWithImageMagick(dir / ("lwo/" + file.path().stem().string() + ".tga"));
        ASSERT_TRUE(png && tga) << file.path();
        EXPECT_TRUE(SamePicture(*png, *tga)) << file.path();
    }
    EXPECT_EQ(std::tuple(pngs, glbs.size()), std::tuple(33, 50u));  // 41 models, weapon, character, level and 6 more
    EXPECT_TRUE(ValidGlb(glbs));
}

// A batch on several threads writes the same files, and prints and says the same in the same (table) order, as on one.
TEST(CliDemo, BatchesAreTheSameOnAnyNumberOfThreads) {
    TempDir dir;
    const std::string dat = drossel::demo::BuildDemoLevel().Write(dir / "demo");
    for (const std::string command : {"convert-all", "unpack-all"}) {
        std::map<std::string, Bytes> files[2];
        std::string printed[2];
        for (int run = 0; run < 2; ++run) {
            const std::string out = dir / (command + std::to_string(run));
            const ProgramResult r =
                RunCli({command, "--verbose", "--one-text-file", "--jobs", run ? "4" : "1", dat, out});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            printed[run] = r.out + r.err;
            for (std::size_t at; (at = printed[run].find(out)) != std::string::npos;)
                printed[run].replace(at, out.size(), "OUT");
            for (const auto& file : std::filesystem::directory_iterator(out))
                files[run][file.path().filename()] = ReadFileBytes(file.path());
        }
        EXPECT_EQ(printed[0], printed[1]) << command;
        EXPECT_EQ(files[0], files[1]) << command;
        EXPECT_GT(files[0].size(), 50u) << command;
    }
}
