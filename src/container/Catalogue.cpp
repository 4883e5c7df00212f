#include "container/Catalogue.h"

#include <algorithm>
#include <array>

namespace drossel {
namespace {

constexpr std::array<GroupInfo, 62> kGroups{{
    {"BINA", "Generic Binary Data Reference"},
    {"DPge", "Diary Page Reference"},
    {"FILM", "Cutscenes"},
    {"IDXA", "3D Data Point Index List"},
    {"IGHH", "In-Game Help "},
    {"IGPG", "Console Page"},
    {"IGSA", "String List"},
    {"Impt", "Impact tree list"},
    {"IPge", "Console Page Reference"},
    {"KeyI", "Key Icons"},
    {"M3GM", "3D Model"},
    {"Mtrl", "Material Tree Entry"},
    {"OBAN", "Animations"},
    {"ONCV", "Character Variants"},
    {"ONGS", "Game Settings"},
    {"ONLD", "Level Descriptions"},
    {"ONVL", "Character Variant Lists"},
    {"OSBD", "Data Groups"},
    {"PNTA", "3D Point Lists"},
    {"PSpc", "Interface Widgets"},
    {"PSpL", "Interface Widget Tables?"},
    {"PSUI", "User Interface Descriptions"},
    {"SNDD", "Sounds"},
    {"StNA", "String Lists"},
    {"SUBT", "Subtitle Lists"},
    {"TRAC", "Character Animation Collections"},
    {"TRAM", "Character Animations"},
    {"TRMA", "Character Textures"},
    {"TStr", "Strings"},
    {"TSFL", "Fonts Data Chunks"},
    {"TSFF", "Fonts [TSFF]"},
    {"TURR", "Turrets"},
    {"TXCA", "Texture Coordinate Lists"},
    {"TXMB", "Large Textures"},
    {"TXMP", "Texture Maps"},
    {"VCRA", "3D Coordinate Lists"},
    {"WMCL", "Window Manager Cursor Lists"},
    {"WMDD", "Window Descriptors"},
    {"WMMB", "Window Menu Items List"},
    {"WMM_", "Window Menu Items"},
    {"TRGE", "Character skeleton part size"},
    {"TRIG", "Trigger definition"},
    {"CONS", "Console definition"},
    {"DOOR", "Door definition"},
    {"TRCM", "Character skeleton data reference"},
    {"ONCC", "Character 3D Models"},
    {"ONWC", "Weapon Class"},
    {"ONLV", "ONI LEVEL"},
    {"LEVL", "Level Chunks"},
    {"TRBS", "Character data reference"},
    {"M3GA", "3D Model Reference"},
    {"WPge", "Weapon Page Reference"},
    {"HPge", "Help Page Reference"},
    {"TSGA", "Font Size Data"},
    {"TXAN", "Animated Texture Data"},
    {"TRGA", "Character Skeleton Part List"},
    {"IGSt", "String"},
    {"CRSA", "Corpse List"},
    {"TRIA", "Character Bones"},
    {"TRTA", "Character Joints"},
    {"----", "Other"},
    {"UNKN", "UnNamed resources"},
}};

constexpr std::array<std::string_view, 27> kLevelChunkTags{
    "PLEA", "AGDB", "AGQC", "AGQR", "AGQG", "AKVA", "AKBA", "AKBP", "ABNA", "AKOT", "AKAA", "AKDA", "AKEV", "OBOA",
    "ONMA", "ONFA", "ONTA", "ONSK", "AISA", "AITR", "ONSA", "OBDC", "ONOA", "OTIT", "OTLF", "QTNA", "TXMA"};

constexpr std::array<std::string_view, 59> kUnpackOnlyTags{
    "OSBD", "BINA", "OBAN", "ONCV", "TXCA", "IDXA", "AKOT", "DPge", "FILM", "HPge", "IGPG", "Impt",
    "IPge", "M3GA", "Mtrl", "ONLD", "ONOA", "ONVL", "PSpc", "PSpL", "PSUI", "TRAM", "TRBS", "TRCM",
    "TRGA", "TRGE", "TRIG", "TSFF", "TURR", "WMCL", "WMMB", "WPge", "TRAC", "PNTA", "VCRA", "AKEV",
    "PLEA", "AGDB", "AGQC", "AGQR", "AGQG", "AKVA", "AKBA", "AKBP", "ABNA", "AKAA", "AKDA", "OBOA",
    "ONMA", "ONFA", "ONTA", "AISA", "AITR", "ONSA", "OBDC", "OTIT", "OTLF", "QTNA", "TRAS"};

constexpr std::array<std::string_view, 17> kConvertibleTags{"TXMP", "SNDD", "IGSt", "TStr", "M3GM", "ONCC",
                                                            "TXMB", "KeyI", "SUBT", "StNA", "ONLV", "TRMA",
                                                            "IGSA", "ONWC", "TXAN", "TXMA", "ONSK"};

constexpr std::array<std::string_view, 37> kFolderUnpackOnlyKeys{
    "OSBD", "BINA", "OBAN", "ONCV", "TXCA", "IDXA", "AKEV", "AKOT", "DPge", "FILM", "HPge", "IGPG", "Impt",
    "IPge", "M3GA", "Mtrl", "ONLD", "ONLV", "ONOA", "ONVL", "PSpc", "PSpL", "PSUI", "TRAM", "TRBS", "TRCM",
    "TRGA", "TRGE", "TRIG", "TSFF", "TURR", "WMCL", "WMMB", "WPge", "TRAC", "PNTA", "VCRA"};

constexpr std::array<std::string_view, 15> kFolderConvertibleKeys{"TXMP", "SNDD", "IGSt", "TStr", "M3GM",
                                                                  "ONCC", "TXMB", "KeyI", "SUBT", "StNA",
                                                                  "TRMA", "IGSA", "ONWC", "TXAN", "TXMA"};

// A tag list as sorted packed tags, for membership tests without string compares.
template <std::size_t N>
class TagSet {
public:
    constexpr explicit TagSet(const std::array<std::string_view, N>& tags) {
        for (std::size_t i = 0; i < N; ++i) packed_[i] = PackTag(tags[i]);
        std::sort(packed_.begin(), packed_.end());
    }
    bool Holds(std::string_view tag) const {
        const std::uint32_t p = PackTag(tag);
        return p != 0 && std::binary_search(packed_.begin(), packed_.end(), p);
    }

private:
    std::array<std::uint32_t, N> packed_{};
};

constexpr TagSet kLevelChunkSet(kLevelChunkTags);
constexpr TagSet kUnpackOnlySet(kUnpackOnlyTags);
constexpr TagSet kConvertibleSet(kConvertibleTags);
constexpr TagSet kFolderUnpackOnlySet(kFolderUnpackOnlyKeys);
constexpr TagSet kFolderConvertibleSet(kFolderConvertibleKeys);

}  // namespace

std::span<const GroupInfo> Groups() {
    return kGroups;
}

bool HasGroup(std::string_view key) {
    return std::any_of(kGroups.begin(), kGroups.end(), [&](const GroupInfo& g) { return g.key == key; });
}

bool IsLevelChunkTag(std::string_view tag) {
    return kLevelChunkSet.Holds(tag);
}

ResourceClass ResourceClassOf(std::string_view tag) {
    if (kUnpackOnlySet.Holds(tag)) return ResourceClass::UnpackOnly;
    if (kConvertibleSet.Holds(tag)) return ResourceClass::Convertible;
    return ResourceClass::Other;
}

GroupClass GroupClassOf(std::string_view key) {
    if (kFolderUnpackOnlySet.Holds(key)) return GroupClass::FolderUnpackOnly;
    if (kFolderConvertibleSet.Holds(key)) return GroupClass::FolderConvertible;
    return GroupClass::Other;
}

SelectionCommands AfterResourceClick(SelectionCommands state, std::string_view tag) {
    state.unpack = true;
    switch (ResourceClassOf(tag)) {
        case ResourceClass::UnpackOnly:
            state.unpackAndConvert = false;
            break;
        case ResourceClass::Convertible:
            state.unpackAndConvert = true;
            break;
        case ResourceClass::Other:
            break;  // keeps the state it had
    }
    state.exportFolder = false;
    state.exportAndConvertFolder = false;
    return state;
}

SelectionCommands AfterGroupClick(SelectionCommands state, std::string_view key) {
    switch (GroupClassOf(key)) {
        case GroupClass::FolderUnpackOnly:
            state.exportFolder = true;
            state.exportAndConvertFolder = false;
            break;
        case GroupClass::FolderConvertible:
            state.exportFolder = true;
            state.exportAndConvertFolder = true;
            break;
        case GroupClass::Other:
            break;  // both keep the state they had
    }
    state.unpack = false;
    state.unpackAndConvert = false;
    return state;
}

}  // namespace drossel
