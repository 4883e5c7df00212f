// The game's Microsoft ADPCM sounds: the WAV files we write for them decode,
// with libsndfile and with sox alike, to the tones the demo encoded.

#include "DemoSounds.h"
#include "Fixture.h"
#include "convert/Converters.h"
#include "sound/PcmDecode.h"

#include <cmath>

using namespace drossel;
using namespace drossel::testing;

TEST(Sound, WavFilesDecodeToTheirSourceWithLibsndfileAndSox) {
    OpenedLevel l(demo::BuildDemoLevel());
    const std::map<std::string, demo::AdpcmSound> tones{{"door_open.aif", demo::AdpcmTone(1, 0.6)},
                                                        {"crowd_cheer.aif", demo::AdpcmTone(2, 0.8)}};
    int checked = 0;
    for (int i = 0; i < l.level().count(); ++i) {
        const ResourceRecord& r = l.level().at(i);
        if (r.tag != "SNDD" || l.level().RawSlotOf(r).size == 0) continue;
        const std::vector<short>& source = tones.at(std::string(r.name)).source;
        const Bytes wav = SoundWavOf(l.level(), r);
        const PcmSound pcm = DecodeWav(wav);
        EXPECT_EQ(pcm.channels, r.name == "crowd_cheer.aif" ? 2 : 1) << r.name;
        EXPECT_EQ(pcm.sampleRate, 22050);
        const std::string path = l.Out(std::string(r.name) + ".wav");
        WriteFileBytes(path, wav);
        const auto sox = RunShell("sox '" + path + "' -t raw -e signed-integer -b 16 -L - 2>/dev/null");
        ASSERT_TRUE(sox) << "sox (Debian sox) cannot read " << path;
        EXPECT_TRUE(*sox == std::string_view(reinterpret_cast<const char*>(pcm.samples.data()), 2 * pcm.samples.size()))
            << "sox and libsndfile decode alike";
        ASSERT_GE(pcm.samples.size(), source.size());
        double error = 0, signal = 0;
        for (std::size_t k = 0; k < source.size(); ++k) {
            error += std::pow(pcm.samples[k] - source[k], 2);
            signal += std::pow(source[k], 2);
        }
        EXPECT_LT(error, signal / 100) << r.name << ": ADPCM keeps the tone, 20 dB above its error";
        ++checked;
    }
    EXPECT_EQ(checked, 2);
    EXPECT_THROW(DecodeWav(Bytes(100, 7)), DrosselError);
    // A header claiming 65,535 samples a block asks for far more than the bytes can hold;
    // a file not laid out as the program writes sounds is not handed to libsndfile.
    Bytes wav = SoundWavOf(l.level(), l.level().at(demo::BuildDemoLevel().IndexNamed("door_open.aif")));
    PutU16(wav, 20 + 18, 0xFFFF);
    EXPECT_THROW(DecodeWav(wav), DrosselError);
    const std::string pcm("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x22\x56\0\0\x44\xAC\0\0\2\0\x10\0data\0\0\0\0", 44);
    EXPECT_THROW(DecodeWav(Bytes(pcm.begin(), pcm.end())), DrosselError);
}
