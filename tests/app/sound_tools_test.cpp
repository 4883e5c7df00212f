// Replacing a sound in place, and the checks every in-place edit makes first.

#include "DemoSounds.h"
#include "Fixture.h"
#include "app/SelectionRules.h"
#include "app/SoundTools.h"
#include "convert/Converters.h"
#include "level/records/BulkRecords.h"
#include "sound/Wav.h"

using namespace drossel;
using namespace drossel::testing;

namespace {

struct SoundLevel : ::testing::Test {
    void SetUp() override {
        LevelBuilder b;
        b.Add("M3GM", "gun");
        SoundRecord sound{};
        std::copy(format.begin(), format.end(), sound.format);
        sound.sampleLength = 2048;
        sound.sampleOffset = b.AppendRaw(Bytes(2048, 0x11));
        b.AppendRaw(Bytes(64, 0x77));  // what follows the samples stays as it is
        b.AddData("SNDD", "door", BytesOf(sound));
        level = std::make_unique<OpenedLevel>(b);
        datBefore = ReadFileBytes(Level().datPath());
        rawBefore = ReadFileBytes(Level().rawPath());
        slot = *SoundSlotOf(Level(), 1, ui);
    }
    const drossel::Level& Level() const { return level->level(); }
    // A WAV of the sound's own format holding `samples` bytes.
    std::string Wav(std::size_t samples) {
        WriteFileBytes(level->dir / "new.wav", WavFile(format, Bytes(samples, 0x99)));
        return level->dir / "new.wav";
    }
    const std::array<std::uint8_t, 50> format = demo::AdpcmTone(1, 0.01).format;  // 22050 Hz, mono, 512-byte blocks
    std::unique_ptr<OpenedLevel> level;
    RecordingUserInterface ui;
    SoundSlot slot;
    Bytes datBefore, rawBefore;
};

}  // namespace

// A WAV in the sound's format is copied; any other is converted to it. The
// record never changes; what the sound does not fill of its slot is silence.
TEST_F(SoundLevel, TakesItsOwnFormatAsItIsAndConvertsAnyOther) {
    EXPECT_EQ(CapacityText(slot), "You can overwrite 2048 Bytes");
    EXPECT_EQ(SoundTargetText(Level(), slot), "door: Microsoft ADPCM, 22050 Hz, mono, 2048 bytes (0.18 s)");
    WriteFileBytes(level->dir / "own.wav", SoundWavOf(Level(), Level().at(1)));
    ASSERT_TRUE(ReplaceSound(Level(), slot, level->dir / "own.wav", ui));
    EXPECT_EQ(std::tie(ui.messages.back().text, ui.messages.back().icon),
              std::tuple("Overwrited successfully!", MessageIcon::Information));
    EXPECT_EQ(ui.status(),
              "Status: Replaced door with own.wav: 2048 of the slot's 2048 bytes (100 %), copied as it was");
    EXPECT_EQ(ReadFileBytes(Level().rawPath()), rawBefore);

    ASSERT_TRUE(RunShell("sox -n -r 44100 -c 2 -b 16 '" + level->dir / "pcm.wav" + "' synth 0.05 sine 440"));
    ASSERT_TRUE(ReplaceSound(Level(), slot, level->dir / "pcm.wav", ui));
    EXPECT_EQ(
        ui.status(),
        "Status: Replaced door with pcm.wav: 1024 of the slot's 2048 bytes (50 %), converted from 44100 Hz, stereo");
    const Bytes raw = ReadFileBytes(Level().rawPath());
    Bytes expected = rawBefore;
    const std::size_t at = *Level().RawSlotOf(Level().at(1)).offset;
    std::fill_n(std::copy_n(raw.begin() + static_cast<std::ptrdiff_t>(at), 1024,
                            expected.begin() + static_cast<std::ptrdiff_t>(at)),
                1024, 0);
    EXPECT_EQ(raw, expected) << "two blocks, then silence";
    EXPECT_EQ(ReadFileBytes(Level().datPath()), datBefore);
}

// Each refusal names its cause and leaves both files as they were.
TEST_F(SoundLevel, RefusesNamingTheCauseWritingNothing) {
    const std::string absent = level->dir / "absent.wav";
    const std::pair<std::string, std::string> refused[] = {
        {Wav(3000),
         "new.wav: it is too long for the sound: in the sound's format it takes 3000 bytes (0.27 s), the "
         "sound's slot holds 2048 bytes (0.18 s)"},
        {absent, "absent.wav: cannot open " + absent + ": No such file or directory"}};
    for (const auto& [path, why] : refused) {
        EXPECT_FALSE(ReplaceSound(Level(), slot, path, ui));
        EXPECT_EQ(ui.messages.back().text, "Cannot replace door with " + why);
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
