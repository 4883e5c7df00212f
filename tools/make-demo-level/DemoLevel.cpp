#include "DemoLevel.h"

#include <string>

namespace drossel::demo {

using testing::Bytes;
using testing::LevelBuilder;
using testing::PutU32;

namespace {

// A readable name per group, so the tree shows something a modder recognises.
struct Sample {
    const char* tag;
    const char* name;
};

constexpr Sample kSamples[] = {
    {"BINA", "TMBDemoBinaryData"}, {"DPge", "DiaryPage01"},      {"FILM", "IntroCutscene"},
    {"IGHH", "HelpMoveForward"},   {"IGPG", "ConsolePage01"},    {"IGSA", "HelpStrings"},
    {"Impt", "ImpactTree"},        {"IPge", "ConsoleRef01"},     {"KeyI", "KeyIcons"},
    {"M3GM", "crate_box"},         {"Mtrl", "MaterialStone"},    {"OBAN", "DoorSlide"},
    {"ONCV", "konoko_generic"},    {"ONGS", "GameSettings"},     {"ONLD", "level1_description"},
    {"ONVL", "variant_list"},      {"OSBD", "crowd_ambience"},   {"PNTA", "crate_points"},
    {"PSpc", "button_ok"},         {"PSpL", "widget_table"},     {"PSUI", "main_menu"},
    {"SNDD", "door_open.aif"},     {"StNA", "menu_strings"},     {"SUBT", "intro_subtitles"},
    {"TRAC", "konoko_animations"}, {"TRAM", "konoko_run"},       {"TRMA", "konoko_textures"},
    {"TStr", "mission_title"},     {"TSFF", "TSFFTahoma"},       {"TURR", "wall_turret"},
    {"TXCA", "crate_uv"},          {"TXMB", "title_screen"},     {"TXMP", "wall_arrow"},
    {"VCRA", "crate_normals"},     {"WMCL", "cursor_list"},      {"WMDD", "options_window"},
    {"WMMB", "menu_bar"},          {"WMM_", "menu_item_quit"},   {"TRGE", "skeleton_sizes"},
    {"TRIG", "laser_trigger"},     {"CONS", "door_console"},     {"DOOR", "sliding_door"},
    {"TRCM", "skeleton_data"},     {"ONCC", "konoko"},           {"ONWC", "w1_tap"},
    {"TRBS", "konoko_body"},       {"M3GA", "crate_parts"},      {"WPge", "weapon_page_tap"},
    {"HPge", "help_page_01"},      {"TSGA", "font_size_12"},     {"TXAN", "water_anim"},
    {"TRGA", "skeleton_parts"},    {"IGSt", "objective_text"},   {"CRSA", "corpse_list"},
    {"TRIA", "konoko_bones"},      {"TRTA", "konoko_joints"},    {"TSFL", "font_chunk_a"},
};

}  // namespace

LevelBuilder BuildDemoLevel() {
    LevelBuilder b;
    for (const Sample& s : kSamples) b.Add(s.tag, s.name, 64);

    // Level chunks, filed under "Level Chunks".
    for (const char* tag : {"AGQG", "AGDB", "PLEA", "AKVA", "AKBA", "ONOA", "TXMA", "ONSK"}) {
        b.Add(tag, std::string("level1_") + tag, 64);
    }
    // The level record, its environment and its octree, and the lists they name.
    const int points = b.Add("PNTA", "level1_points", 64);
    const int coords = b.Add("TXCA", "level1_uv", 64);
    const int indices = b.Add("IDXA", "level1_indices", 64);
    const int octree = b.Add("AKOT", "level1_octree", 64);
    PutU32(b.resource(octree).data, 0x14, LevelBuilder::IdentifierOf(indices));
    const int environment = b.Add("AKEV", "level1_environment", 192);
    Bytes& env = b.resource(environment).data;
    PutU32(env, 0x08, LevelBuilder::IdentifierOf(points));
    PutU32(env, 0x10, LevelBuilder::IdentifierOf(coords));
    PutU32(env, 0x40, LevelBuilder::IdentifierOf(octree));
    const int level = b.Add("ONLV", "level1", 128);
    PutU32(b.resource(level).data, 0x48, LevelBuilder::IdentifierOf(environment));
    b.Add("IDXA", "crate_indices", 64);

    // A font chunk, filed under "Fonts Data Chunks", and a kind without a group.
    b.Add("TSFT", "font_glyphs_a", 64);
    b.Add("TRAS", "konoko_transitions", 64);

    // Unnamed resources, and one that is never listed.
    b.AddUnnamed("TXMP", 64);
    b.AddUnnamed("AKEV", 64);
    b.AddUnnamed("M3GM", 64);
    b.AddUnnamed("BINA", 64, 2);
    return b;
}

}  // namespace drossel::demo
