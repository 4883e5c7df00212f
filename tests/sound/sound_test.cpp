// The game's Microsoft ADPCM sounds, decoded for playing and read back by sox.

#include "Fixture.h"
#include "convert/Converters.h"
#include "io/Error.h"
#include "sound/PcmDecode.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace drossel;
using namespace drossel::testing;

TEST(Sound, DemoTonesDecodeAndSoxReadsTheWavFilesWeWrite) {
    OpenedLevel l(demo::BuildDemoLevel());
    int checked = 0;
    for (int i = 0; i < l.level().count(); ++i) {
        const ResourceRecord& r = l.level().at(i);
        if (r.tag != "SNDD" || r.rawSize == 0) continue;
        const Bytes wav = SoundWavOf(l.level(), r);
        const PcmSound pcm = DecodeWav(wav);
        const int channels = r.name == "crowd_cheer.aif" ? 2 : 1;
        EXPECT_EQ(pcm.channels, channels) << r.name;
        EXPECT_EQ(pcm.sampleRate, 22050);
        const auto loudest = *std::max_element(pcm.samples.begin(), pcm.samples.end());
        EXPECT_GT(loudest, 8000) << "the tone survives ADPCM";
        EXPECT_LT(loudest, 12000);
        const std::string path = l.Out(r.name + ".wav");
        WriteFileBytes(path, wav);
        FILE* sox = ::popen(("soxi -c '" + path + "' 2>&1; soxi -r '" + path + "' 2>&1").c_str(), "r");
        char line[64] = {};
        std::string out;
        while (std::fgets(line, sizeof line, sox) != nullptr) out += line;
        ::pclose(sox);
        EXPECT_EQ(out, std::to_string(channels) + "\n22050\n") << path;
        ++checked;
    }
    EXPECT_EQ(checked, 2);
    EXPECT_THROW(DecodeWav(Bytes(100, 7)), DrosselError);
}
