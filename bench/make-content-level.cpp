// make-content-level: writes the levels of the conversion benchmarks besides
// textures:
//
//   make-content-level texts-sounds N OUTPUT   N strings and N one-second sounds, nothing else
//   make-content-level geometry Q OUTPUT       the demo level with 20 characters, and its level
//                                              replaced by a grid of Q quads (1.2 points a quad)
//
// OUTPUT has no extension; OUTPUT.dat and OUTPUT.raw are written.

#include "DemoLevel.h"
#include "DemoSounds.h"
#include "LevelBuilder.h"
#include "geometry/Mesh.h"
#include "level/records/BulkRecords.h"
#include "level/records/LevelRecords.h"
#include "level/records/ModelRecords.h"
#include "level/records/StringRecords.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <string>

using namespace drossel;
using namespace drossel::testing;

namespace {

void AddTextsAndSounds(LevelBuilder& b, int count) {
    const demo::AdpcmSound tone = demo::AdpcmTone(1, 1.0);
    for (int i = 0; i < count; ++i) {
        TStrRecord text{};
        const std::string line = "Objective " + std::to_string(i) + ": reach the roof before the alarm";
        std::memcpy(text.text, line.data(), line.size());
        b.AddData("TStr", "text_" + std::to_string(i), BytesOf(text));
        SoundRecord sound{};
        std::memcpy(sound.format, tone.format.data(), sizeof sound.format);
        sound.sampleLength = static_cast<std::uint32_t>(tone.data.size());
        sound.sampleOffset = b.AppendRaw(tone.data);
        b.AddData("SNDD", "sound_" + std::to_string(i) + ".aif", BytesOf(sound));
    }
}

// Twenty copies of the demo's character, and its level's geometry replaced by a
// grid five quads wide: 1.2 points a quad, so 50,000 quads (60,006 points) still
// fit the 16-bit point numbers of the LightWave output.
void SetGeometry(LevelBuilder& b, int quads) {
    const Bytes character = b.resource(b.IndexNamed("konoko")).data;
    for (int i = 1; i < 20; ++i) b.AddData("ONCC", "konoko_" + std::to_string(i), character);

    constexpr int kWide = 5;
    const int rows = (quads + kWide - 1) / kWide;
    std::vector<Point> points;
    std::vector<TexCoord> uv;
    for (int row = 0; row <= rows; ++row) {
        for (int x = 0; x <= kWide; ++x) {
            points.push_back({static_cast<float>(x), 0, static_cast<float>(row)});
            uv.push_back({static_cast<float>(x) / kWide, static_cast<float>(row % 2)});
        }
    }
    std::vector<Quad> list;
    std::vector<QuadTexture> textures;
    for (int q = 0; q < quads; ++q) {
        const auto corner = static_cast<std::uint32_t>(q / kWide * (kWide + 1) + q % kWide);
        const std::uint32_t corners[4] = {corner, corner + 1, corner + kWide + 2, corner + kWide + 1};
        Quad quad{};
        std::memcpy(quad.points, corners, sizeof corners);
        std::memcpy(quad.texCoords, corners, sizeof corners);
        list.push_back(quad);
        textures.push_back({static_cast<std::int16_t>(q % 4), 0});
    }
    b.resource(b.IndexNamed("level1_points")).data = ListOf(PointListHeader{}, points);
    b.resource(b.IndexNamed("level1_uv")).data = ListOf(ListHeader{}, uv);
    b.resource(b.IndexNamed("level1_AGQG")).data = ListOf(ListHeader{}, list);
    b.resource(b.IndexNamed("level1_AGQR")).data = ListOf(ListHeader{}, textures);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc == 4 ? argv[1] : "";
    if (kind != "texts-sounds" && kind != "geometry") {
        std::cerr << "usage: make-content-level texts-sounds|geometry N OUTPUT_WITHOUT_EXTENSION\n";
        return 2;
    }
    try {
        LevelBuilder b = kind == "geometry" ? demo::BuildDemoLevel() : LevelBuilder();
        const int n = std::stoi(argv[2]);
        kind == "geometry" ? SetGeometry(b, n) : AddTextsAndSounds(b, n);
        std::cout << b.Write(argv[3]) << '\n';
    } catch (const std::exception& e) {
        std::cerr << "make-content-level: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
