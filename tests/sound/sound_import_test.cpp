// Any WAV into a sound's own ADPCM format: sox makes the sources and decodes the results, which must follow them.

#include "DemoSounds.h"
#include "Fixture.h"
#include "io/LittleEndian.h"
#include "sound/SoundImport.h"

#include <cmath>
#include <cstring>

using namespace drossel;
using namespace drossel::testing;

namespace {

std::vector<float> Floats(const std::string& raw) {
    std::vector<float> v(raw.size() / 4);
    std::memcpy(v.data(), raw.data(), v.size() * 4);
    return v;
}

double Correlation(const std::vector<float>& a, const std::vector<float>& b) {
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        ab += a[i] * b[i], aa += a[i] * a[i], bb += b[i] * b[i];
    return ab / std::sqrt(aa * bb);
}

// A 22050 Hz sound format made by libsndfile's encoder at another rate: its blocks are that rate's.
std::array<std::uint8_t, 50> AdpcmFormat(int channels, int encodedAt) {
    auto format = demo::AdpcmTone(channels, 0.01, encodedAt).format;
    StoreU32(&format[4], 22050);
    return format;
}

}  // namespace

// Each source through SoundForSlot, then sox reads the result as the sound's WAV.
TEST(SoundImport, AnyWavSoxWritesBecomesTheSoundsFormatAndFollowsItsSource) {
    TempDir dir;
    const std::string tone = " synth 1.5 sine 300-2000 vol 0.5";
    // Source options; the sound's channels and the rate its blocks were made at (512 bytes mono, 1024 stereo).
    const std::tuple<std::string, int, int> cases[] = {
        {"-r 44100 -c 2 -b 16 -e signed", 1, 22050}, {"-r 44100 -c 2 -b 16 -e signed", 2, 16000},
        {"-r 8000 -c 1 -b 8 -e unsigned", 2, 16000}, {"-r 22050 -c 1 -b 24 -e signed", 1, 22050},
        {"-r 48000 -c 1 -b 32 -e float", 1, 22050},  {"-r 22050 -c 1 -e ms-adpcm", 1, 22050},
        {"-r 11025 -c 2 -e ima-adpcm", 1, 22050}};
    for (const auto& [sox, channels, encodedAt] : cases) {
        const std::string source = dir / "source.wav", result = dir / "result.wav";
        ASSERT_TRUE(RunShell("sox -n " + sox + " '" + source + "'" + tone)) << "sox (Debian sox) is needed";
        const auto format = AdpcmFormat(channels, encodedAt);
        const ImportedSound sound = SoundForSlot(ReadFileBytes(source), format, 1 << 20);
        const std::string label = sox + " into " + std::to_string(channels);
        // sox's ADPCM at the sound's rate is in its very format (a fact chunk besides): copied.
        EXPECT_EQ(sound.converted, sox.find("ms-adpcm") == std::string::npos) << label;
        WriteFileBytes(result, WavFile(format, sound.samples));
        const std::string floats = " -t raw -e float -b 32 -c 1 -r 22050 - 2>/dev/null";
        const auto got = Floats(RunShell("sox '" + result + "'" + floats).value_or(""));
        const auto want = Floats(RunShell("sox '" + source + "'" + floats).value_or(""));
        // Whole blocks: the last one is filled with silence.
        const double samplesPerBlock = LoadU16(&format[18]);
        EXPECT_GE(got.size(), want.size()) << label;
        EXPECT_LT(static_cast<double>(got.size()), static_cast<double>(want.size()) + samplesPerBlock) << label;
        const double r = Correlation(got, want);
        EXPECT_GT(r, 0.99) << label;
        std::printf("correlation %.5f: %s\n", r, label.c_str());
    }
}

TEST(SoundImport, ItsOwnFormatIsCopiedAndEachRefusalNamesItsCause) {
    const auto format = AdpcmFormat(1, 22050);
    Bytes own = WavFile(format, Bytes(512, 0x42));
    StoreU32(&own[28], 1234);  // the average byte rate is only a hint
    const ImportedSound copied = SoundForSlot(own, format, 512);
    EXPECT_FALSE(copied.converted);
    EXPECT_EQ(copied.samples, Bytes(512, 0x42));

    TempDir dir;
    const std::string pcm = dir / "pcm.wav";
    ASSERT_TRUE(RunShell("sox -n -r 22050 -c 1 -b 16 '" + pcm + "' synth 0.1 sine 440"));
    const Bytes long16 = ReadFileBytes(pcm);  // 2205 samples: three blocks of 1012
    ASSERT_TRUE(RunShell("sox -r 22050 -c 1 -n -b 16 '" + pcm + "' synth 2024s sine 440"));
    EXPECT_EQ(SoundForSlot(ReadFileBytes(pcm), format, 1024).samples.size(), 1024u) << "two blocks fill the slot";
    Bytes empty = long16;
    empty.resize(44);
    const std::pair<Bytes, std::string> refused[] = {
        {Bytes(100, 7), "it is not a WAV file (no RIFF WAVE header)"},
        {Slice(long16, 0, 12), "it is not a WAV file libsndfile reads (no format chunk)"},
        {empty, "it holds no samples"},
        {long16,
         "it is too long for the sound: in the sound's format it takes 1536 bytes (0.14 s), the sound's slot "
         "holds 1024 bytes (0.09 s)"},
        {WavFile(format, Bytes(1025, 1)),
         "it is too long for the sound: in the sound's format it takes 1025 bytes "
         "(0.09 s), the sound's slot holds 1024 bytes (0.09 s)"}};
    for (const auto& [wav, why] : refused) EXPECT_EQ(ErrorOf([&] { SoundForSlot(wav, format, 1024); }), why);
    auto pcmSound = format, damaged = format;
    pcmSound[0] = 1;
    EXPECT_EQ(ErrorOf([&] { SoundForSlot(long16, pcmSound, 1 << 20); }),
              "the sound is stored as PCM, not as Microsoft ADPCM: only a WAV file in its very format can "
              "replace it");
    damaged[18] = damaged[19] = 0;
    EXPECT_EQ(ErrorOf([&] { SoundForSlot(long16, damaged, 1 << 20); }),
              "the sound's Microsoft ADPCM format is damaged (1 channels, 22050 Hz, blocks of 512 bytes holding 0 "
              "samples): only a WAV file in its very format can replace it");
    // Blocks of another size (513 bytes) are another format: never copied as they are.
    Bytes otherBlocks = own;
    otherBlocks[32] = 1;
    bool keptAsItIs = false;
    ErrorOf([&] { keptAsItIs = !SoundForSlot(otherBlocks, format, 1 << 20).converted; });
    EXPECT_FALSE(keptAsItIs);
}
