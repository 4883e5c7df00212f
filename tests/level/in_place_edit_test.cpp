// The three edits on crafted records, and an edit of both files failing half-way.

#include "Fixture.h"
#include "app/LightingEditor.h"
#include "app/SoundTools.h"
#include "app/StringEditor.h"
#include "io/LittleEndian.h"
#include "level/InPlaceEdit.h"
#include "sound/Wav.h"

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

using namespace drossel;
using namespace drossel::testing;

namespace {

struct Crafted : ::testing::Test {
    Crafted() {
        b.AddData("TStr", "title", Bytes(160, 'x'));
        for (const char* name : {"short", "placeholder", "twin"}) b.AddData("TStr", name, Bytes(160, 'x'));
        b.resource(1).sizeField = 16;
        b.resource(2).sizeField = 0;                                          // 2 and 3 get the data offset of 0
        b.AddData("AGQG", "quads", Bytes(28, 0) + Le(3) + Bytes(2 * 56, 0));  // 3 quads claimed, 2 held
        for (auto [length, offset] : {std::pair{100u, 1u << 20}, {0xFFFFFFF0u, 0u}, {100u, 0u}, {100u, 128u}})
            b.AddData("SNDD", "sound", Bytes(64, 0) + Le(length, offset) + Bytes(24, 0));  // 5 to 8
        b.resource(7).sizeField = 16;
        b.AppendRaw(Bytes(300, 2));
        level = std::make_unique<OpenedLevel>(b, [](Bytes& dat) {
            for (int i : {2, 3}) PutU32(dat, DataOffsetFieldOf(i), U32At(dat, DataOffsetFieldOf(0)));
        });
        // The sounds' own format (zeros): its samples are taken as they are.
        WriteFileBytes(level->dir / "new.wav", WavFile(std::array<std::uint8_t, kWavFormatSize>{}, Bytes(10, 9)));
        std::filesystem::copy_file(Level().datPath(), level->dir / "before.dat");
    }
    const drossel::Level& Level() const { return level->level(); }
    void Replace(std::int32_t i) {  // "Replace !"; throws what it says when it refuses
        RecordingUserInterface ui;
        const RawSlot slot = Level().RawSlotOf(Level().at(i));
        if (!ReplaceSound(Level(), {i, slot.size, *slot.offset}, level->dir / "new.wav", ui))
            throw DrosselError(ui.messages.back().text);
    }
    LevelBuilder b;
    std::unique_ptr<OpenedLevel> level;
    void Expect(const std::string& what) {
        EXPECT_EQ(ReadFileBytes(Level().datPath()), ReadFileBytes(level->dir / "before.dat")) << what;
        EXPECT_EQ(ReadFileBytes(Level().rawPath()), b.raw()) << what;
    }
};

}  // namespace

TEST_F(Crafted, EditsOutsideTheirOwnRecordOrSlotWriteNothing) {
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { StringEditor(Level(), 2).Save(Level(), "X"); }, PlaceholderReason()},
        {[&] { StringEditor(Level(), 1).Save(Level(), "X"); },
         "the edit's 152 bytes from byte 8 lie outside its record, which holds 16 bytes: nothing was written"},
        {[&] { StringEditor(Level(), 3).Save(Level(), "X"); }, "of its record belong to title too"},
        {[&] {
             LightingEditor lights(Level(), 4);
             lights.ApplyToAll(QuadColours{1});
             lights.Save(Level());
         },
         "the edit's 128 bytes from byte 64 lie outside its record, which holds 144 bytes"},
        {[&] { Replace(5); }, "Cannot replace sound with new.wav: the 100 bytes of data at offset 1048576 lie outside"},
        {[&] { Replace(6); }, "4294967280 bytes of sample data are more than the 268435456 a sound may have"},
        {[&] { Replace(7); }, "its record holds 16 bytes, fewer than the 96 that say where its data lies"},
    };
    for (const auto& [edit, says] : cases) {
        const std::string refused = ErrorOf(edit);
        EXPECT_NE(refused.find(says), std::string::npos) << refused;
        Expect(says);
    }
}

// The .dat part failing after the .raw part was written, or a .raw that cannot be written.
TEST_F(Crafted, AnEditOfBothFilesIsAllOrNothing) {
    struct FailingDatWrite : InPlaceEdit {
        using InPlaceEdit::InPlaceEdit;
        long WriteSome(bool inRaw, int fd, std::span<const std::uint8_t> bytes, std::int64_t at) override {
            if (inRaw || failed) return InPlaceEdit::WriteSome(inRaw, fd, bytes, at);
            failed = true;
            errno = ENOSPC;
            return -1;
        }
        bool failed = false;
    } edit(Level(), 8);
    edit.IntoRecord(12, Bytes(50, 0xAB));
    edit.IntoSlot(0, Bytes(100, 0xCD));
    EXPECT_NE(ErrorOf([&] { edit.Commit(); }).find("No space left on device: both files were put back as they were"),
              std::string::npos);
    Expect("put back");
    // For root too: its file-system identity is dropped meanwhile.
    for (auto [path, mode] : {std::pair{Level().datPath(), 0666}, {Level().rawPath(), 0444}, {level->dir.path(), 0755}})
        ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(mode)), 0);
    const auto was = static_cast<uid_t>(::setfsuid(::geteuid() == 0 ? 65534 : ::geteuid()));
    const std::string refused = ErrorOf([&] { Replace(8); });
    ::setfsuid(was);
    EXPECT_NE(refused.find("cannot open " + Level().rawPath() + " for writing"), std::string::npos) << refused;
    Expect("read-only .raw");
}
