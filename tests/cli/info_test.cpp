// drossel-cli info, tree and show, run as a user runs them.

#include "LevelBuilder.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace drossel::testing;

namespace {

ProgramResult Cli(const std::vector<std::string>& arguments) {
    return RunProgram(DROSSEL_CLI_PATH, arguments);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class CliInfo : public ::testing::Test {
protected:
    void SetUp() override {
        LevelBuilder b;
        b.Add("TXMP", "wall");       // 0
        b.AddUnnamed("AKEV");        // 1
        b.Add("IGHH", "help/move");  // 2
        b.Add("TSFT", "glyphs");     // 3
        dat = b.Write(dir / "level");
    }
    TempDir dir;
    std::string dat;
};

}  // namespace

TEST_F(CliInfo, InfoPrintsTheDatFileInfoLines) {
    const auto r = Cli({"info", dat});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Oni Dat File Info:");
    EXPECT_EQ(lines[1], "Name: " + dat);
    EXPECT_EQ(lines[2], "RAW File: " + dir / "level.raw");
    EXPECT_EQ(lines[3], "ID: 870065951");
    EXPECT_EQ(lines[4], "Resources: 4");
    EXPECT_EQ(lines[5], "Resource Names: 3");
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST_F(CliInfo, RawOptionReplacesTheDerivedPath) {
    const auto r = Cli({"info", "--raw", "/elsewhere/x.raw", dat});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(Lines(r.out)[2], "RAW File: /elsewhere/x.raw");
}

TEST_F(CliInfo, TreePrintsEveryGroupAndItsResources) {
    const auto r = Cli({"tree", dat});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 61u + 4u);
    EXPECT_EQ(lines[0], "BINA\tGeneric Binary Data Reference");
    // Find the texture group and the help group with its trailing space.
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    const auto txmp = at("TXMP\tTexture Maps");
    ASSERT_LT(txmp + 2, static_cast<long>(lines.size()));
    EXPECT_EQ(lines[static_cast<std::size_t>(txmp + 1)], "\tk0\twall");
    const auto help = at("IGHH\tIn-Game Help ");
    EXPECT_EQ(lines[static_cast<std::size_t>(help + 1)], "\tk2\thelp_move");
    const auto fonts = at("TSFL\tFonts Data Chunks");
    EXPECT_EQ(lines[static_cast<std::size_t>(fonts + 1)], "\tk3\tglyphs");
    const auto levels = at("LEVL\tLevel Chunks");
    EXPECT_EQ(lines[static_cast<std::size_t>(levels + 1)], "\tK1\tFile_#1");
    EXPECT_EQ(lines.back(), "----\tOther");
}

TEST_F(CliInfo, ZephyrTreeGathersUnnamedResources) {
    const auto r = Cli({"tree", "--zephyr", dat});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "UNKN\tUnNamed resources");
    EXPECT_EQ(lines.back(), "\tK1\tFile_#1");
}

TEST_F(CliInfo, ShowPrintsTheResourceInfoFields) {
    const auto r = Cli({"show", dat, "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Name: File_#1");
    EXPECT_EQ(lines[1], "Size: 32");
    EXPECT_EQ(lines[2], "Type: AKEV");
    EXPECT_EQ(lines[3], "Code: VEKA");
    EXPECT_EQ(lines[4], "Flags: 0");
    EXPECT_EQ(lines[5].rfind("Data Position: ", 0), 0u);
    EXPECT_EQ(lines[6], "Size in RAW: None");
    EXPECT_EQ(lines[7], "Offset in RAW: None");
}

TEST_F(CliInfo, ExitCodesTellFailureFromMisuse) {
    WriteFileBytes(dir / "bad.dat", Bytes(64, 0));
    const auto bad = Cli({"info", dir / "bad.dat"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_EQ(Lines(bad.err).at(0), "This File is not valid a Oni DAT File!");

    EXPECT_EQ(Cli({"show", dat, "4"}).exitCode, 2);
    EXPECT_EQ(Cli({"show", dat, "-1"}).exitCode, 2);
    EXPECT_EQ(Cli({"show", dat}).exitCode, 2);
    EXPECT_EQ(Cli({"frobnicate", dat}).exitCode, 2);
    EXPECT_EQ(Cli({"info", dat, "--image", "png"}).exitCode, 2);
    EXPECT_EQ(Cli({}).exitCode, 2);
    const auto quiet = Cli({"info", "--quiet", dir / "bad.dat"});
    EXPECT_EQ(quiet.exitCode, 1);
    EXPECT_EQ(Lines(quiet.err).size(), 1u) << "quiet keeps the one line that says why";
}
