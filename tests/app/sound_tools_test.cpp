// Replacing a sound in place, and the checks every in-place edit makes first.

#include "Fixture.h"
#include "app/SelectionRules.h"
#include "app/SoundTools.h"
#include "convert/Converters.h"
#include "level/records/BulkRecords.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

struct SoundLevel : ::testing::Test {
    void SetUp() override {
        LevelBuilder b;
        b.Add("M3GM", "gun");
        SoundRecord sound{};
        for (std::size_t i = 0; i < 50; ++i) sound.format[i] = static_cast<std::uint8_t>(i);
        sound.format[2] = 1;  // one channel
        sound.sampleLength = 1000;
        sound.sampleOffset = b.AppendRaw(Bytes(1000, 0x11));
        b.AppendRaw(Bytes(64, 0x77));  // what follows the samples stays as it is
        b.AddData("SNDD", "door", BytesOf(sound));
        level = std::make_unique<OpenedLevel>(b);
        datBefore = ReadFileBytes(Level().datPath());
        rawBefore = ReadFileBytes(Level().rawPath());
        slot = *SoundSlotOf(Level(), 1, ui);
    }
    const drossel::Level& Level() const { return level->level(); }
    // The sound's own WAV with its samples replaced and its format bytes changed.
    std::string Wav(std::size_t samples, std::uint8_t channels = 1, std::uint8_t rate = 0x44) {
        Bytes wav = SoundWavOf(Level(), Level().at(1));
        wav.resize(78);
        wav[22] = channels;
        wav[24] = rate;
        wav.insert(wav.end(), samples, 0x99);
        const std::string path = level->dir / "new.wav";
        WriteFileBytes(path, wav);
        return path;
    }
    std::unique_ptr<OpenedLevel> level;
    RecordingUserInterface ui;
    SoundSlot slot;
    Bytes datBefore, rawBefore;
};

}  // namespace

TEST_F(SoundLevel, ItsOwnWavChangesNothingAnotherWritesItsFormatAndSlotSizeSampleBytes) {
    EXPECT_EQ(CapacityText(slot), "You can overwrite 1000 Bytes");
    WriteFileBytes(level->dir / "own.wav", SoundWavOf(Level(), Level().at(1)));
    ASSERT_TRUE(ReplaceSound(Level(), slot, level->dir / "own.wav", ui));
    EXPECT_EQ(std::tie(ui.messages.back().text, ui.messages.back().icon),
              std::tuple("Overwrited successfully!", MessageIcon::Information));
    EXPECT_EQ(ReadFileBytes(Level().datPath()), datBefore);
    EXPECT_EQ(ReadFileBytes(Level().rawPath()), rawBefore);
    // Another WAV of the same type: its format, and exactly the slot's size in sample bytes.
    for (const std::size_t given : {100u, 5000u}) {
        ASSERT_TRUE(ReplaceSound(Level(), slot, Wav(given), ui)) << ui.messages.back().text;
        Bytes dat = datBefore, raw = rawBefore;
        dat[static_cast<std::size_t>(Level().at(1).dataOffset) + offsetof(SoundRecord, format) + 4] = 0x44;
        std::fill_n(raw.begin() + *Level().at(1).rawOffset, 1000, 0);
        std::fill_n(raw.begin() + *Level().at(1).rawOffset, std::min<std::size_t>(given, 1000), 0x99);
        EXPECT_EQ(ReadFileBytes(Level().datPath()), dat) << "only the 50 format bytes change";
        EXPECT_EQ(ReadFileBytes(Level().rawPath()), raw) << given << " sample bytes: cut, or filled with zeros";
    }
}

TEST_F(SoundLevel, RefusesOtherFilesAndChangedLevelsWritingNothing) {
    EXPECT_FALSE(ReplaceSound(Level(), slot, Wav(10, 2), ui));
    EXPECT_EQ(ui.messages.back().text, kOtherSoundType);
    Bytes pcm = Slice(ReadFileBytes(Wav(0)), 0, 36) + Text("data") + Bytes{100} + Bytes(103, 0x99);
    PutU32(pcm, 16, 16);  // a 16-byte format chunk: "data" is not at 70
    WriteFileBytes(level->dir / "pcm.wav", pcm);
    WriteFileBytes(level->dir / "cut.wav", Slice(ReadFileBytes(Wav(0)), 0, 74));  // it ends before its samples
    for (const std::string& path :
         {level->dir / "pcm.wav", level->dir / "absent.wav", level->dir.path(), level->dir / "cut.wav", Wav(0)}) {
        EXPECT_FALSE(ReplaceSound(Level(), slot, path, ui)) << path;
        EXPECT_EQ(ui.messages.back().text, kNotAnAdpcmWave) << path;
    }
    // The .dat changed under the open level: a longer file, or another resource where the sound was.
    const Bytes longer = datBefore + Bytes{0};
    Bytes moved = datBefore;
    PutU32(moved, static_cast<std::size_t>(Level().at(1).dataOffset), 0xDEAD);
    for (const Bytes& dat : {longer, moved}) {
        WriteFileBytes(Level().datPath(), dat);
        EXPECT_FALSE(ReplaceSound(Level(), slot, Wav(10), ui));
        EXPECT_NE(ui.messages.back().text.find("nothing was written"), std::string::npos) << ui.messages.back().text;
        EXPECT_EQ(ReadFileBytes(Level().datPath()), dat);
    }
    EXPECT_EQ(ReadFileBytes(Level().rawPath()), rawBefore);
}

TEST_F(SoundLevel, OnlySoundsWithDataAreOffered) {
    level->session.selectedIndex = 0;
    EXPECT_FALSE(SelectedForTool(level->session, ui, kSoundTags, kNotASoundToView));
    EXPECT_EQ(ui.messages.back().text, "Please, choose SNDD file for View");
    level->session.selectedIndex = 1;
    EXPECT_EQ(SelectedForTool(level->session, ui, kSoundTags, kNotASoundToReplace), 1);
    EXPECT_EQ(SoundLabel(Level().at(1)), "door.SNDD");
    LevelBuilder b;
    b.resource(b.Add("SNDD", "shared", 96)).sizeField = 0;
    OpenedLevel placeholder(b);
    EXPECT_FALSE(SoundSlotOf(placeholder.level(), 0, ui));
    EXPECT_NE(ui.messages.back().text.find("Cannot replace shared"), std::string::npos);
}
