// The three edits on crafted records: each writes only inside the resource's own
// record and sample slot, or nothing at all, and an edit of both files that fails
// half-way leaves both as they were.

#include "Fixture.h"
#include "app/LightingEditor.h"
#include "app/SoundTools.h"
#include "app/StringEditor.h"
#include "io/LittleEndian.h"
#include "level/InPlaceEdit.h"
#include "level/records/BulkRecords.h"
#include "level/records/StringRecords.h"
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
        b.AddData("TStr", "title", WithText<TStrRecord>("Title"));            // 0
        b.resource(b.AddData("TStr", "short", Bytes(160, 'x'))).sizeField = 16;  // 1
        b.resource(b.Add("TStr", "placeholder", 160)).sizeField = 0;           // 2: its offset becomes 0's
        b.AddData("TStr", "twin", Bytes(160, 'y'));                            // 3: its offset becomes 0's too
        Bytes quads = Bytes(32 + 2 * 56, 0);
        PutU32(quads, 28, 3);  // three quads claimed, two held
        b.AddData("AGQG", "quads", quads);                                    // 4
        Sound("outside", 100, 1 << 20);                                       // 5: past the end of the .raw
        Sound("huge", 0xFFFFFFF0, 0);                                         // 6
        b.resource(Sound("short sound", 100, b.AppendRaw(Bytes(100, 1)))).sizeField = 16;  // 7
        Sound("door", 100, b.AppendRaw(Bytes(100, 2)));                       // 8
        b.AppendRaw(Bytes(64, 3));
        level = std::make_unique<OpenedLevel>(b, [](Bytes& dat) {
            for (int i : {2, 3}) PutU32(dat, DataOffsetFieldOf(i), U32At(dat, DataOffsetFieldOf(0)));
        });
        WriteFileBytes(Wav(), WavFile(std::array<std::uint8_t, kWavFormatSize>{}, Bytes(10, 9)));
        dat = ReadFileBytes(Level().datPath());
        raw = ReadFileBytes(Level().rawPath());
    }
    int Sound(const std::string& name, std::uint32_t length, std::uint32_t offset) {
        Bytes sound(96, 0);
        PutU32(sound, 64, length);
        PutU32(sound, 68, offset);
        return b.AddData("SNDD", name, sound);
    }
    const drossel::Level& Level() const { return level->level(); }
    std::string Wav() const { return level->dir / "new.wav"; }
    // "Replace !" with the fitting WAV; throws what it says when it refuses.
    void Replace(std::int32_t index) {
        RecordingUserInterface ui;
        if (!ReplaceSound(Level(), {index, Level().at(index).rawSize, *Level().at(index).rawOffset}, Wav(), ui))
            throw DrosselError(ui.messages.back().text);
    }
    void ExpectFilesAsBefore(const std::string& what) const {
        EXPECT_EQ(ReadFileBytes(Level().datPath()), dat) << what;
        EXPECT_EQ(ReadFileBytes(Level().rawPath()), raw) << what;
    }
    LevelBuilder b;
    std::unique_ptr<OpenedLevel> level;
    Bytes dat, raw;
};

QuadColours Colours() {
    QuadColours c;
    c.fill(0xC0);
    return c;
}

}  // namespace

TEST_F(Crafted, EditsOutsideTheirOwnRecordOrSlotWriteNothing) {
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { StringEditor(Level(), 2).Save(Level(), "X"); }, PlaceholderReason()},
        {[&] { StringEditor(Level(), 1).Save(Level(), "X"); },
         "the edit's 152 bytes from byte 8 lie outside its record, which holds 16 bytes: nothing was written"},
        {[&] { StringEditor(Level(), 3).Save(Level(), "X"); }, "of its record belong to title too"},
        {[&] {
             LightingEditor lights(Level(), 4);
             lights.ApplyToAll(Colours());
             lights.Save(Level());
         },
         "the edit's 128 bytes from byte 64 lie outside its record, which holds 144 bytes"},
        {[&] { Replace(5); }, "Cannot replace outside: the 100 bytes of data at offset 1048576 lie outside"},
        {[&] { Replace(6); }, "4294967280 bytes of sample data are more than the 268435456 a sound may have"},
        {[&] { Replace(7); }, "its record holds 16 bytes, fewer than the 96 that say where its data lies"},
    };
    for (const auto& [edit, says] : cases) {
        const std::string refused = ErrorOf(edit);
        EXPECT_NE(refused.find(says), std::string::npos) << refused;
        ExpectFilesAsBefore(says);
    }
    // One quad of the list: its 16 colour bytes, quad 1 of a list at the data offset.
    LightingEditor lights(Level(), 4);
    lights.Apply(1, Colours());
    lights.Save(Level());
    const auto at = static_cast<std::size_t>(Level().at(4).dataOffset) + 32 + 56 + 32;
    std::fill_n(dat.begin() + static_cast<std::ptrdiff_t>(at), 16, 0xC0);
    ExpectFilesAsBefore("quad 1's colours");
}

// The .raw part is written first; when the .dat part then fails, or the .raw
// cannot be opened for writing, both files are as they were.
TEST_F(Crafted, AnEditOfBothFilesIsAllOrNothing) {
    struct FailingDatWrite : InPlaceEdit {
        using InPlaceEdit::InPlaceEdit;
        long WriteSome(bool inRaw, int fd, std::span<const std::uint8_t> bytes, std::int64_t offset) override {
            if (inRaw || failed) return InPlaceEdit::WriteSome(inRaw, fd, bytes, offset);
            failed = true;
            errno = ENOSPC;
            return -1;
        }
        bool failed = false;
    } edit(Level(), 8);
    edit.IntoRecord(12, Bytes(50, 0xAB));
    edit.IntoSlot(0, Bytes(100, 0xCD));
    const std::string failed = ErrorOf([&] { edit.Commit(); });
    EXPECT_NE(failed.find("No space left on device: both files were put back as they were"), std::string::npos)
        << failed;
    ExpectFilesAsBefore("put back");

    // For root too: its file-system identity is dropped meanwhile.
    ASSERT_EQ(::chmod(Level().datPath().c_str(), 0666), 0);
    ASSERT_EQ(::chmod(Level().rawPath().c_str(), 0444), 0);
    ASSERT_EQ(::chmod(level->dir.path().c_str(), 0755), 0);
    const auto was = static_cast<uid_t>(::setfsuid(::geteuid() == 0 ? 65534 : ::geteuid()));
    const std::string refused = ErrorOf([&] { Replace(8); });
    ::setfsuid(was);
    EXPECT_NE(refused.find("cannot open " + Level().rawPath() + " for writing"), std::string::npos) << refused;
    ExpectFilesAsBefore("read-only .raw");
}
