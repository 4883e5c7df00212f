#include "container/PathText.h"

#include <gtest/gtest.h>

using drossel::ExtensionOf;
using drossel::FileNameOf;
using drossel::StripExtension;

TEST(FileNameOf, TakesTheTextAfterTheLastSlash) {
    EXPECT_EQ(FileNameOf("/levels/level1.dat"), "level1.dat");
    EXPECT_EQ(FileNameOf("level1.dat"), "level1.dat");
    EXPECT_EQ(FileNameOf("/levels/"), "");
    EXPECT_EQ(FileNameOf(""), "");
}

TEST(StripExtension, CutsTheFileNamesLastExtension) {
    EXPECT_EQ(StripExtension("/levels/level1.dat"), "/levels/level1");
    EXPECT_EQ(StripExtension("a.b.c"), "a.b");
    EXPECT_EQ(StripExtension("level1"), "level1");
    EXPECT_EQ(StripExtension(".hidden"), "");
    EXPECT_EQ(StripExtension("/data/.raw"), "/data/");
}

TEST(StripExtension, NeverCountsADotInAFolderName) {
    EXPECT_EQ(StripExtension("/data/my.levels/level1"), "/data/my.levels/level1");
    EXPECT_EQ(StripExtension("/data/my.levels/level1.dat"), "/data/my.levels/level1");
    EXPECT_EQ(StripExtension("my.levels/"), "my.levels/");
}

TEST(ExtensionOf, GivesTheFileNamesExtensionWithoutItsDot) {
    EXPECT_EQ(ExtensionOf("tex.TGA"), "TGA");
    EXPECT_EQ(ExtensionOf("tex.tga.txt"), "txt");
    EXPECT_EQ(ExtensionOf("tex"), "");
    EXPECT_EQ(ExtensionOf("tex."), "");
    EXPECT_EQ(ExtensionOf("/out/my.pictures/tex"), "");
}
