#include "Fixture.h"
#include "io/BinaryFile.h"
#include "io/LoadedLibrary.h"
#include "io/OutputFile.h"
#include "io/PathText.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>

using namespace drossel;
using namespace drossel::testing;

TEST(PathText, NamesFoldersAndExtensions) {
    // path, file name, folder, without extension, extension
    const std::array<const char*, 5> cases[] = {
        {"/levels/level1.dat", "level1.dat", "/levels/", "/levels/level1", "dat"},
        {"a.b.c", "a.b.c", "", "a.b", "c"},
        {"level1", "level1", "", "level1", ""},
        {".hidden", ".hidden", "", "", "hidden"},
        {"/data/my.levels/level1", "level1", "/data/my.levels/", "/data/my.levels/level1", ""},
        {"/levels/", "", "/levels/", "/levels/", ""},
        {"tex.", "tex.", "", "tex", ""},
    };
    for (const auto& [path, name, folder, stripped, extension] : cases) {
        EXPECT_EQ(FileNameOf(path), name) << path;
        EXPECT_EQ(FolderOf(path), folder) << path;
        EXPECT_EQ(StripExtension(path), stripped) << path;
        EXPECT_EQ(ExtensionOf(path), extension) << path;
    }
}

TEST(PathText, LevelDataNeverNamesAnotherFolder) {
    EXPECT_EQ(FileNamePart("a/b\\c\nd\te\037f.g"), "a_b_c_d_e_f.g");
    EXPECT_EQ(FileNamePart(".. x"), ".. x");
    EXPECT_TRUE(IsFileInFolder("out/a.tga", "out/"));
    EXPECT_TRUE(IsFileInFolder("a.tga", ""));
    for (const char* path : {"out/", "out/.", "out/..", "out/sub/a.tga", "other/a.tga", "out/../a"}) {
        EXPECT_FALSE(IsFileInFolder(path, "out/")) << path;
    }
}

TEST(OutputFile, ReplacesWholeOrLeavesEverythingAsItWas) {
    TempDir dir;
    const std::string path = dir / "out.bin";
    WriteFileBytes(path, Bytes(5000, 0xEE));
    WriteFileAtomically(path, Bytes{1, 2, 3});
    EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2, 3}));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & 0044, 0u) << "outputs are readable by others, as files a program writes usually are";
    EXPECT_THROW(WriteFileAtomically(dir / "missing/out.bin", Bytes{1}), DrosselError);
    EXPECT_THROW(WriteFileAtomically("", Bytes{1}), DrosselError);
    EXPECT_EQ(CountFiles(dir.path()), 1u) << "no temporary file stays behind";
    // Appending: to the end of a regular file only.
    AppendToFile(path, Bytes{4});
    EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2, 3, 4}));
    EXPECT_THROW(AppendToFile("/dev/null", Bytes{1}), DrosselError);
    ASSERT_EQ(::symlink(path.c_str(), (dir / "link").c_str()), 0);
    EXPECT_THROW(AppendToFile(dir / "link", Bytes{5}), DrosselError) << "a link is not followed";
    WriteFileAtomically(dir / std::string(255, 'n'), Bytes{1});  // as long as a file name may be
}

TEST(BinaryFile, ReadsInsideTheFileOnlyAndOpensRegularFilesOnly) {
    TempDir dir;
    WriteFileBytes(dir / "f", Bytes{1, 2, 3, 4, 5, 0, 7});
    BinaryFile file(dir / "f");
    EXPECT_EQ(file.U32(1), 0x05040302u);
    EXPECT_EQ(file.ReadZeroTerminated(3), std::string("\x04\x05"));
    EXPECT_THROW(file.U32(4), DrosselError);
    EXPECT_THROW(file.ReadBytes(-1, 2), DrosselError);
    EXPECT_THROW(file.ReadZeroTerminated(6), DrosselError);  // no zero byte before the end
    EXPECT_EQ(file.FindZero(6), std::nullopt);
    EXPECT_EQ(file.FindZero(7), std::nullopt);  // at the end
    // A text longer than what is read at a time (64 KB) is found and read whole.
    Bytes longer(70000, 'a');
    longer.push_back(0);
    WriteFileBytes(dir / "long", longer);
    BinaryFile longFile(dir / "long");
    EXPECT_EQ(longFile.U8(10), 'a');  // the window now starts at 10
    EXPECT_EQ(longFile.FindZero(5), 70000);
    EXPECT_EQ(longFile.ReadZeroTerminated(1).size(), 69999u);
    BinaryFile shrinking(dir / "f");
    WriteFileBytes(dir / "f", Bytes{1});  // cut short after it was opened: a read fails instead of waiting
    EXPECT_THROW(shrinking.U32(0), DrosselError);
    // A FIFO would block at open for a writer that never comes.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_THROW(BinaryFile(dir / "fifo"), DrosselError);
    EXPECT_THROW(BinaryFile(dir.path()), DrosselError);
    EXPECT_THROW(BinaryFile(dir / "absent"), DrosselError);
}

TEST(LoadedLibrary, FindsFunctionsAndSaysWhatIsMissing) {
    LoadedLibrary png("libpng16.so.16");
    void (*readInfo)(void*, void*) = nullptr;
    png.Find(readInfo, "png_read_info");
    EXPECT_NE(readInfo, nullptr);
    EXPECT_EQ(png.error(), "");
    png.Find(readInfo, "png_no_such_function");
    EXPECT_EQ(png.error(), "libpng16.so.16 has no png_no_such_function");

    struct Absent {
        void (*function)() = nullptr;
    };
    const auto absent = [] {
        return LoadFunctions<Absent>("libdrossel-absent.so.0",
                                     [](LoadedLibrary& library, Absent& a) { library.Find(a.function, "anything"); });
    };
    for (int call = 0; call < 2; ++call) {  // the second call says it again
        try {
            absent();
            ADD_FAILURE() << "an absent library was loaded";
        } catch (const DrosselError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("cannot load libdrossel-absent.so.0", 0), 0u) << e.what();
        }
    }
}
