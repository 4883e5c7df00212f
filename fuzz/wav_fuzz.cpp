// libFuzzer target: any bytes as a WAV file, read the ways the program reads
// WAV files. The sound viewer decodes them to samples (libsndfile); sound
// replacement checks the fixed layout and puts the format and samples into a
// mono and a stereo sound of a fresh level, in place, after which the sound is
// converted and decoded again as the viewer would.

#include "FuzzSupport.h"
#include "LevelBuilder.h"
#include "app/NullUserInterface.h"
#include "app/OpenLevel.h"
#include "app/Session.h"
#include "app/SoundTools.h"
#include "convert/Converters.h"
#include "io/Error.h"
#include "sound/PcmDecode.h"

#include <cstdint>
#include <string>

using namespace drossel;
using testing::LevelBuilder;

namespace {

struct SoundLevel {
    fuzz::Bytes dat, raw;
    std::int32_t mono = 0, stereo = 0;
};

SoundLevel BuildSoundLevel() {
    LevelBuilder b;
    SoundLevel level;
    level.mono = fuzz::AddTone(b, 1);
    level.stereo = fuzz::AddTone(b, 2);
    level.dat = b.BuildDat();
    level.raw = b.raw();
    return level;
}

void Decode(std::span<const std::uint8_t> wav) {
    try {
        DecodeWav(wav);
    } catch (const DrosselError&) {
        // Refused with a reason: what the viewer shows.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kLargest = 1 << 20;
    if (size > kLargest) return 0;
    static const SoundLevel sounds = BuildSoundLevel();
    static const std::string base = fuzz::ScratchFolder() + "/sounds";
    static const std::string wavPath = fuzz::ScratchFolder() + "/new.wav";
    const std::span<const std::uint8_t> wav(data, size);
    Decode(wav);
    testing::WriteFileBytes(wavPath, wav);
    testing::WriteFileBytes(base + ".dat", sounds.dat);
    testing::WriteFileBytes(base + ".raw", sounds.raw);

    Session session;
    NullUserInterface ui;
    if (OpenLevel(session, ui, base + ".dat") != OpenResult::Loaded) __builtin_trap();
    const Level& level = *session.level;
    for (std::int32_t index : {sounds.mono, sounds.stereo}) {
        const auto slot = SoundSlotOf(level, index, ui);
        if (!slot || !ReplaceSound(level, *slot, wavPath, ui)) continue;
        // Replacement writes the files behind the open level: read it anew.
        level.CloseFiles();
        Decode(SoundWavOf(level, level.at(index)));
    }
    return 0;
}
