#include "DemoLevel.h"

#include "DemoGeometry.h"
#include "DemoPictures.h"
#include "DemoSounds.h"
#include "level/records/BulkRecords.h"
#include "level/records/LevelRecords.h"
#include "level/records/StringRecords.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace drossel::demo {

using testing::Bytes;
using testing::EncodeTexturePixels;
using testing::LevelBuilder;
using testing::ListOf;
using testing::Picture;
using testing::PutBytes;
using testing::PutU32;
using testing::Rgba;
using testing::TextureRecordData;
using testing::WithText;

namespace {

// A readable name per group, so the tree shows something a modder recognises.
struct Sample {
    const char* tag;
    const char* name;
};

constexpr Sample kSamples[] = {
    {"BINA", "TMBDemoBinaryData"}, {"DPge", "DiaryPage01"},    {"FILM", "IntroCutscene"},
    {"IGHH", "HelpMoveForward"},   {"IGPG", "ConsolePage01"},  {"IGSA", "HelpStrings"},
    {"Impt", "ImpactTree"},        {"IPge", "ConsoleRef01"},   {"KeyI", "KeyIcons"},
    {"M3GM", "crate_box"},         {"Mtrl", "MaterialStone"},  {"OBAN", "DoorSlide"},
    {"ONCV", "konoko_generic"},    {"ONGS", "GameSettings"},   {"ONLD", "level1_description"},
    {"ONVL", "variant_list"},      {"OSBD", "crowd_ambience"}, {"PNTA", "crate_points"},
    {"PSpc", "button_ok"},         {"PSpL", "widget_table"},   {"PSUI", "main_menu"},
    {"SNDD", "door_open.aif"},     {"StNA", "menu_strings"},   {"SUBT", "intro_subtitles"},
    {"TRAC", "konoko_animations"}, {"TRAM", "konoko_run"},     {"TRMA", "konoko_textures"},
    {"TStr", "mission_title"},     {"TSFF", "TSFFTahoma"},     {"TURR", "wall_turret"},
    {"TXCA", "crate_uv"},          {"TXMB", "title_screen"},   {"TXMP", "wall_arrow"},
    {"VCRA", "crate_normals"},     {"WMCL", "cursor_list"},    {"WMDD", "options_window"},
    {"WMMB", "menu_bar"},          {"WMM_", "menu_item_quit"}, {"TRGE", "skeleton_sizes"},
    {"TRIG", "laser_trigger"},     {"CONS", "door_console"},   {"DOOR", "sliding_door"},
    {"TRCM", "skeleton_data"},     {"ONCC", "konoko"},         {"ONWC", "w1_tap"},
    {"TRBS", "konoko_body"},       {"M3GA", "crate_parts"},    {"WPge", "weapon_page_tap"},
    {"HPge", "help_page_01"},      {"TSGA", "font_size_12"},   {"TXAN", "water_anim"},
    {"TRGA", "skeleton_parts"},    {"IGSt", "objective_text"}, {"CRSA", "corpse_list"},
    {"TRIA", "konoko_bones"},      {"TRTA", "konoko_joints"},  {"TSFL", "font_chunk_a"},
};

constexpr int kTextureSize = 64;

void SetArrowTexture(LevelBuilder& b, int index, std::uint32_t format, Rgba ink, Rgba background) {
    const Picture p = ArrowAndGlyph(kTextureSize, kTextureSize, 'F', ink, background);
    b.resource(index).data = TextureRecordData(p.width, p.height, format, b.AppendRaw(EncodeTexturePixels(p, format)));
}

int AddArrowTexture(LevelBuilder& b, const std::string& name, std::uint32_t format, Rgba ink, Rgba background) {
    const int index = b.Add("TXMP", name, 192);
    SetArrowTexture(b, index, format, ink, background);
    return index;
}

// The title screen: a 640 x 480 picture cut into the six tiles a large texture
// names, the lower three 224 rows high as in the game's own large textures.
void SetTitleScreen(LevelBuilder& b, int index) {
    const Picture title = ArrowAndGlyph(640, 480, 'F', {255, 220, 0, 255}, {20, 30, 90, 255});
    struct Cut {
        int left, top, width, height;
        std::uint32_t format;
    };
    constexpr Cut kCuts[6] = {{0, 0, 256, 256, 1},   {256, 0, 256, 256, 1},   {512, 0, 128, 256, 2},
                              {0, 256, 256, 224, 1}, {256, 256, 256, 224, 1}, {512, 256, 128, 224, 2}};
    std::array<std::uint32_t, 6> tiles{};
    for (std::size_t t = 0; t < tiles.size(); ++t) {
        const Cut& c = kCuts[t];
        const Picture tile = Crop(title, c.left, c.top, c.width, c.height);
        const int tileIndex = b.AddTexture("title_screen_tile" + std::to_string(t + 1), c.width, c.height, c.format,
                                           EncodeTexturePixels(tile, c.format));
        tiles[t] = LevelBuilder::IdentifierOf(tileIndex);
    }
    b.resource(index).data = testing::RecordWith(&LargeTextureRecord::tiles, tiles);
}

// Ten key icons showing the digits 0 to 9, in every texture format by turns.
void SetKeyIconStrip(LevelBuilder& b, int index) {
    constexpr std::uint32_t kFormats[5] = {0, 1, 2, 8, 9};
    std::array<std::uint32_t, 10> icons{};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const std::uint32_t format = kFormats[i % 5];
        const Picture icon = Glyph(32, 32, static_cast<char>('0' + i), {255, 255, 255, 255}, {90, 20, 20, 255});
        const int iconIndex =
            b.AddTexture("key_icon_" + std::to_string(i), 32, 32, format, EncodeTexturePixels(icon, format));
        icons[i] = LevelBuilder::IdentifierOf(iconIndex);
    }
    b.resource(index).data = testing::RecordWith(&KeyIconsRecord::icons, icons);
}

std::uint32_t Id(int index) {
    return LevelBuilder::IdentifierOf(index);
}

void SetSound(LevelBuilder& b, int index, const AdpcmSound& adpcm) {
    SoundRecord sound{};
    std::copy(adpcm.format.begin(), adpcm.format.end(), sound.format);
    sound.sampleLength = static_cast<std::uint32_t>(adpcm.data.size());
    sound.sampleOffset = b.AppendRaw(adpcm.data);
    b.resource(index).data = BytesOf(sound);
}

// Strings and the lists that name them, subtitles, texture lists and sounds.
void AddTextsListsAndSounds(LevelBuilder& b, const std::map<std::string, int>& sample,
                            const std::vector<std::uint32_t>& textures) {
    b.resource(sample.at("TStr")).data = WithText<TStrRecord>("Mission 1: The Warehouse");
    const int newGame = b.AddData("TStr", "menu_new_game", WithText<TStrRecord>("New Game"));
    const int quit = b.AddData("TStr", "menu_quit", WithText<TStrRecord>("Quit"));
    using Ids = std::vector<std::uint32_t>;
    b.resource(sample.at("StNA")).data = ListOf(StringListHeader{}, Ids{Id(sample.at("TStr")), Id(newGame), Id(quit)});

    b.resource(sample.at("IGSt")).data = WithText<IGStRecord>("Find the crate with the data disk.");
    const int hint = b.AddData("IGSt", "hint_jump", WithText<IGStRecord>("Press SPACE to jump."));
    b.resource(sample.at("IGSA")).data = ListOf(ListHeader{}, Ids{Id(sample.at("IGSt")), Id(hint)});

    Bytes entries;
    for (const char* line : {"Konoko: Where is everybody?", "Shinatama: Be careful.", "Konoko: Always."}) {
        Bytes entry(kSubtitleEntrySize, 0);
        std::copy(line, line + std::strlen(line), entry.begin());
        entries.insert(entries.end(), entry.begin(), entry.end());
    }
    SubtitleRecord subtitles{};
    subtitles.textOffset = b.AppendRaw(entries);
    subtitles.entryCount = 3;
    Bytes& subtitleData = b.resource(sample.at("SUBT")).data = BytesOf(subtitles);
    PutBytes(subtitleData, sizeof subtitles, BytesOf(std::array<std::uint32_t, 3>{0, 256, 512}));  // entry offsets

    CharacterTexturesRecord skins{};
    skins.count = 3;
    std::copy_n(textures.begin(), 3, skins.textures);
    b.resource(sample.at("TRMA")).data = BytesOf(skins);
    b.resource(sample.at("TXAN")).data = ListOf(ListHeader{}, Ids{textures[1], 0, textures[2]});  // 0: a frame left out
    b.resource(sample.at("TXMA")).data = ListOf(ListHeader{}, Ids{textures[3], textures[4]});
    SkyRecord sky{};
    std::copy_n(textures.begin(), 4, sky.textures + 2);  // 0 and 1 name no texture
    sky.textures[1] = 1;
    b.resource(sample.at("ONSK")).data = BytesOf(sky);

    SetSound(b, sample.at("SNDD"), AdpcmTone(1, 0.6));
    SetSound(b, b.Add("SNDD", "crowd_cheer.aif", 96), AdpcmTone(2, 0.8));
}

}  // namespace

LevelBuilder BuildDemoLevel() {
    LevelBuilder b;
    std::map<std::string, int> sample;
    for (const Sample& s : kSamples) {
        sample[s.tag] = b.Add(s.tag, s.name, 64);
        // A sound record is 96 bytes; its sample length stays 0 until it gets a sound.
        if (std::string(s.tag) == "SNDD") b.resource(sample[s.tag]).data.resize(96, 0);
    }
    const int wallTexture = sample["TXMP"], titleScreen = sample["TXMB"], keyIcons = sample["KeyI"];

    // Level chunks, filed under "Level Chunks".
    for (const char* tag : {"AGQG", "AGDB", "PLEA", "AKVA", "AKBA", "ONOA", "TXMA", "ONSK"}) {
        sample[tag] = b.Add(tag, std::string("level1_") + tag, 64);
    }
    // The level record, its environment and its octree, and the lists they name.
    const int points = b.Add("PNTA", "level1_points", 64);
    const int coords = b.Add("TXCA", "level1_uv", 64);
    const int indices = b.Add("IDXA", "level1_indices", 64);
    OctreeRecord octreeRecord{};
    octreeRecord.indexList = LevelBuilder::IdentifierOf(indices);
    const int octree = b.AddData("AKOT", "level1_octree", BytesOf(octreeRecord));
    EnvironmentRecord env{};
    env.points = LevelBuilder::IdentifierOf(points);
    env.textureCoordinates = LevelBuilder::IdentifierOf(coords);
    env.octree = LevelBuilder::IdentifierOf(octree);
    const int environment = b.AddData("AKEV", "level1_environment", BytesOf(env));
    LevelRecord level{};
    level.environment = LevelBuilder::IdentifierOf(environment);
    const int levelIndex = b.AddData("ONLV", "level1", BytesOf(level));
    // The game's records are longer than the fields read here.
    b.resource(octree).data.resize(64);
    b.resource(environment).data.resize(192);
    b.resource(levelIndex).data.resize(128);
    b.Add("IDXA", "crate_indices", 64);

    // A font chunk, filed under "Fonts Data Chunks", and a kind without a group.
    b.Add("TSFT", "font_glyphs_a", 64);
    b.Add("TRAS", "konoko_transitions", 64);

    // Unnamed resources, and one that is never listed.
    const int unnamedTexture = b.AddUnnamed("TXMP", 64);
    SetArrowTexture(b, unnamedTexture, 9, {255, 255, 255, 255}, {0, 0, 0, 255});
    b.AddUnnamed("AKEV", 64);
    const int unnamedModel = b.AddUnnamed("M3GM", 64);
    b.AddUnnamed("BINA", 64, 2);

    // Textures in every pixel format, the large texture's tiles and the key icons.
    SetArrowTexture(b, wallTexture, 1, {255, 255, 0, 255}, {40, 60, 160, 255});
    std::vector<std::uint32_t> textures{Id(wallTexture)};
    textures.push_back(Id(AddArrowTexture(b, "wall_arrow_argb4444", 0, {255, 128, 0, 255}, {0, 0, 0, 136})));
    textures.push_back(Id(AddArrowTexture(b, "wall_arrow_cutout", 2, {0, 255, 0, 255}, {0, 0, 0, 0})));
    textures.push_back(Id(AddArrowTexture(b, "wall_arrow_bgra32", 8, {255, 255, 255, 255}, {128, 0, 64, 255})));
    textures.push_back(Id(AddArrowTexture(b, "wall_arrow_dxt1", 9, {255, 0, 0, 255}, {0, 96, 64, 255})));
    SetTitleScreen(b, titleScreen);
    SetKeyIconStrip(b, keyIcons);
    AddTextsListsAndSounds(b, sample, textures);
    AddGeometry(b, {.model = sample["M3GM"],
                    .character = sample["ONCC"],
                    .bodySet = sample["TRBS"],
                    .body = sample["TRCM"],
                    .parts = sample["TRGA"],
                    .jointOffsets = sample["TRTA"],
                    .bones = sample["TRIA"],
                    .weapon = sample["ONWC"],
                    .environment = environment,
                    .levelPoints = points,
                    .levelTexCoords = coords,
                    .levelQuads = sample["AGQG"],
                    .levelTextures = sample["TXMA"]});
    // The unnamed model is the crate again.
    b.resource(unnamedModel).data = b.resource(sample["M3GM"]).data;
    return b;
}

}  // namespace drossel::demo
