// A preview is what the conversion makes: the same picture, sound and text,
// within its limits, and the scenes the glTF export writes; the other kinds, and
// what cannot be made, show the resource's number and "Resource Info" fields.

#include "app/Preview.h"
#include "Fixture.h"
#include "GlbFile.h"
#include "Pictures.h"
#include "convert/Converters.h"

using namespace drossel;
using namespace drossel::testing;

TEST(Preview, ShowsWhatTheConversionMakes) {
    LevelBuilder demo = demo::BuildDemoLevel();
    const int broken = demo.AddTexture("broken", 64, 64, 1, Bytes(10, 0));
    const int placeholder = demo.Add("TXMP", "elsewhere");
    demo.resource(placeholder).sizeField = 0;
    OpenedLevel l(demo);
    const Level& level = l.level();
    const auto at = [&](const char* name) { return demo.IndexNamed(name); };

    const Preview texture = PreviewOf(level, at("wall_arrow"), {});
    EXPECT_EQ(std::tuple(texture.kind, texture.title, texture.facts),
              std::tuple(PreviewKind::Picture, "wall_arrow (TXMP)", "64 x 64, ARGB 1-5-5-5 (format 1)"));
    auto converted = Converted(demo, at("wall_arrow"), ConvertTxmp);
    EXPECT_TRUE(SamePicture(PictureOf(std::get<PixelBuffer>(texture.content)),
                            PictureOf(std::get<ImageOutput>(converted.pieces[0].content).pixels)));
    const Preview large = PreviewOf(level, at("title_screen"), {}, {.pictureSide = 320});
    EXPECT_EQ(large.facts, "640 x 512, shown at 320 x 256");
    EXPECT_EQ(std::get<PixelBuffer>(large.content).height(), 256);

    const Preview sound = PreviewOf(level, at("door_open.aif"), {});
    const PcmSound pcm = DecodeWav(SoundWavOf(level, level.at(at("door_open.aif"))));
    const auto& shown = std::get<PreviewSound>(sound.content);
    EXPECT_EQ(shown.pcm.samples, pcm.samples);
    EXPECT_EQ(sound.facts, "Microsoft ADPCM, " + std::to_string(pcm.channels) + " channel" +
                               (pcm.channels == 1 ? "" : "s") + ", " + std::to_string(pcm.sampleRate) + " Hz, " +
                               SoundFactsText(shown).substr(SoundFactsText(shown).rfind(", ") + 2));
    EXPECT_NEAR(shown.seconds, static_cast<double>(pcm.samples.size()) / pcm.channels / pcm.sampleRate, 1e-9);

    // Texts go to their own piece even when the collective file is chosen.
    Options collective;
    collective.OneTextFile = true;
    std::string text = PieceText(Converted(demo, at("mission_title"), ConvertString));
    std::erase(text, '\r');
    const Preview string = PreviewOf(level, at("mission_title"), collective);
    EXPECT_EQ(std::tuple(std::get<std::string>(string.content), string.facts), std::tuple(text, "1 line"));
    const Preview cut = PreviewOf(level, at("mission_title"), {}, {.textBytes = 5});
    EXPECT_EQ(
        std::tuple(std::get<std::string>(cut.content), cut.facts),
        std::tuple("Missi", "the first 5 of " +
                                std::to_string(PieceBytes(Converted(demo, at("mission_title"), ConvertString)).size()) +
                                " bytes"));

    const Preview list = PreviewOf(level, at("water_anim"), {}, {.listPictures = 1, .listPictureSide = 16});
    EXPECT_EQ(std::tuple(list.kind, list.facts), std::tuple(PreviewKind::Pictures, "the first 1 of 2 pictures"));
    EXPECT_EQ(std::get<std::vector<NamedPicture>>(list.content).at(0).pixels.width(), 16);

    for (const int index : {at("crate_indices"), broken, placeholder}) {
        const Preview info = PreviewOf(level, index, {});
        EXPECT_EQ(info.kind, PreviewKind::Info);
        ASSERT_EQ(info.info.size(), 9u);
        EXPECT_EQ(std::tie(info.info[0].label, info.info[0].value), std::tuple("Number:", std::to_string(index)));
        EXPECT_EQ(info.info[1].value, level.at(index).name);
    }
    EXPECT_EQ(PreviewOf(level, at("crate_indices"), {}).problem, "");
    EXPECT_NE(PreviewOf(level, broken, {}).problem.find("Cannot be shown: "), std::string::npos);
    EXPECT_EQ(PreviewOf(level, placeholder, {}).problem, "Nothing to show: " + PlaceholderReason());
}

TEST(Preview, ShrunkPictureTakesTheNearestPixels) {
    PixelBuffer p(4, 2);
    for (int x = 0; x < 4; ++x) p.SetFromTop(x, 1, {static_cast<std::uint8_t>(x), 0, 0, 255});
    const PixelBuffer half = ShrunkPicture(std::move(p), 2);
    EXPECT_EQ(std::tuple(half.width(), half.height()), std::tuple(2, 1));
    EXPECT_EQ(half.GetFromTop(1, 0).blue, 0);  // row 0 of the original
    PixelBuffer small(3, 3);
    EXPECT_EQ(ShrunkPicture(std::move(small), 8).width(), 3);
}

// Models, weapons, characters and levels show the scenes their glTF export writes: as many, with the nodes,
// triangles, vertices and textured materials of each file it writes, read back with tinygltf.
TEST(Preview, ScenesAreWhatTheGltfExportWrites) {
    const LevelBuilder demo = demo::BuildDemoLevel();
    OpenedLevel l(demo);
    const auto at = [&](const char* name) { return demo.IndexNamed(name); };
    Options glb;
    glb.ModelLwoFormat = glb.WeaponLwoFormat = glb.CharacterLwoFormat = glb.LevelFormat = kGlb;
    Options allGroups = glb, allQuads = glb;
    allGroups.CharacterGroup = 6;
    allQuads.AllQuadsGeometry = true;
    const struct {
        const char* name;
        Converter convert;
        Options options;
        std::vector<std::string> parts;
    } cases[] = {{"crate_box", ExportModel, glb, {""}},
                 {"w1_tap", ExportWeapon, glb, {""}},
                 {"konoko", ExportCharacter, glb, {"group 5"}},
                 {"konoko", ExportCharacter, allGroups, {"group 1", "group 2", "group 3", "group 4", "group 5"}},
                 {"level1", ConvertLevel, glb, {""}},
                 {"level1", ConvertLevel, allQuads, {""}}};
    std::vector<SceneCounts> seen;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Preview p = PreviewOf(l.level(), at(c.name), c.options);
        const Conversion exported = Converted(demo, at(c.name), c.convert, c.options);
        const auto& scenes = std::get<std::vector<ResourceScene>>(p.content);
        ASSERT_EQ(std::tuple(p.kind, scenes.size()), std::tuple(PreviewKind::Scene, exported.pieces.size()));
        for (std::size_t s = 0; s < scenes.size(); ++s) {
            EXPECT_EQ(scenes[s].part, c.parts.at(s));
            EXPECT_EQ(CountsOf(scenes[s].scene), GlbCounts(PieceBytes(exported, s)));
        }
        seen.push_back(CountsOf(scenes[0].scene));
    }
    const SceneCounts k = seen[2];
    EXPECT_EQ(PreviewOf(l.level(), at("konoko"), glb).facts,
              "group 5: " + std::to_string(k.nodes) + " nodes, " + std::to_string(k.triangles) + " triangles, " +
                  std::to_string(k.vertices) + " vertices, " + std::to_string(k.texturedMaterials) +
                  " textured materials");
    EXPECT_EQ(PreviewOf(l.level(), at("crate_box"), glb).facts.find("1 node, "), 0u);
    EXPECT_NE(seen[4], seen[5]);  // the demo's room has quads the game never draws
    EXPECT_NE(seen[0].texturedMaterials, 0u);
}
