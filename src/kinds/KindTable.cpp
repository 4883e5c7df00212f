#include "kinds/KindTable.h"

#include "convert/Converters.h"
#include "convert/SceneExport.h"
#include "level/records/BulkRecords.h"
#include "level/records/TextureRecords.h"

#include <algorithm>
#include <array>

namespace drossel {
namespace {

constexpr RawBlock kTextureRaw = RawBlockFor<TextureRecord>();
constexpr RawBlock kSoundRaw = RawBlockFor<SoundRecord>();
constexpr RawBlock kBulkRaw = RawBlockFor<BulkRecord>();
constexpr RawBlock kSubtitleRaw = RawBlockFor<SubtitleRecord>();

constexpr auto kUnpackOnly = ResourceClass::UnpackOnly;
constexpr auto kConvertible = ResourceClass::Convertible;
constexpr auto kFolderUnpackOnly = GroupClass::FolderUnpackOnly;
constexpr auto kFolderConvertible = GroupClass::FolderConvertible;
constexpr auto kStripped = NameBase::NameWithoutExtension;
constexpr auto kName = NameBase::Name;
constexpr std::string_view kImage = kImageOptionExtension;

constexpr std::string_view kTargaFilter = "TARGA (*.tga)|*.tga|Bitmap (*.bmp)|*.bmp";
constexpr std::string_view kTexturePrompt = "Select the directory to export TXMPs to:";
constexpr std::string_view kTextPrompt = "Select the directory to export to:";
constexpr std::string_view kSubtitlePrompt = "Select the directory to export SUBT to:";
constexpr std::string_view kUnpackDialog = "Unpack resource...";
constexpr std::string_view kTextFilter = "Text files (*.txt)|*.txt";
constexpr std::string_view kStringStatus = "Sataus: Converting ";
constexpr std::string_view kConvertingStatus = "Status: Converting ";
constexpr SaveDialog kStringDialog{kUnpackDialog, {NameBase::Name, ".txt"}, "TEXT file (*.txt)|*.txt"};
constexpr SaveDialog kTextureListDialog{kUnpackDialog, {NameBase::Name, ".txt"}, "List of textures|*.txt"};

// A group whose resources only unpack, one by one and as a group.
constexpr Kind UnpackOnlyGroup(std::string_view tag, std::string_view description) {
    return {.tag = tag, .description = description, .resourceClass = kUnpackOnly, .groupClass = kFolderUnpackOnly};
}
// A group that neither class lists.
constexpr Kind PlainGroup(std::string_view tag, std::string_view description) {
    return {.tag = tag, .description = description};
}
// A level chunk: filed under "Level Chunks" in the Normal view, no group of its own.
constexpr Kind LevelChunk(std::string_view tag, GroupClass groupClass = GroupClass::Other) {
    return {.tag = tag, .fileUnder = kLevelChunksKey, .resourceClass = kUnpackOnly, .groupClass = groupClass};
}
// Files "Export Folder" writes with the group's own routine, and texts.
constexpr FolderRule Folder(std::string_view prompt, NameBase base, std::string_view extension,
                            std::string_view doneTitle = "Success", std::string_view doneText = "Files Unpacked",
                            bool asksOneTextFile = false) {
    return {prompt, {base, extension}, doneTitle, doneText, asksOneTextFile};
}
constexpr ConvertAllRule ConvertAll(NameBase base, std::string_view extension, bool skipHidden = false,
                                    bool skipNoneName = false) {
    return {true, skipHidden, skipNoneName, {base, extension}};
}

// clang-format off
constexpr std::array kRows{
    // Groups, in the tree's order.
    Kind{.tag = "BINA", .description = "Generic Binary Data Reference", .resourceClass = kUnpackOnly,
         .groupClass = kFolderUnpackOnly, .raw = &kBulkRaw, .unpacksRaw = true, .unpackAllSkipsHidden = true},
    UnpackOnlyGroup("DPge", "Diary Page Reference"),
    UnpackOnlyGroup("FILM", "Cutscenes"),
    UnpackOnlyGroup("IDXA", "3D Data Point Index List"),
    PlainGroup("IGHH", "In-Game Help "),
    UnpackOnlyGroup("IGPG", "Console Page"),
    Kind{.tag = "IGSA", .description = "String List", .resourceClass = kConvertible, .groupClass = kFolderConvertible,
         .convert = ConvertIgsa, .noun = "string list",
         .saveDialog = {kUnpackDialog, {kName, ".txt"}, "Text Files [*.txt]|*.txt"},
         .folder = Folder("Select the directory to export IGSA files:", kStripped, ".txt"),
         .preview = PreviewKind::Text},
    UnpackOnlyGroup("Impt", "Impact tree list"),
    UnpackOnlyGroup("IPge", "Console Page Reference"),
    Kind{.tag = "KeyI", .description = "Key Icons", .resourceClass = kConvertible, .groupClass = kFolderConvertible,
         .convert = ConvertKeyI, .noun = "key icons",
         .saveDialog = {kUnpackDialog, {kStripped, kImage}, kTargaFilter, kImage},
         .convertAll = ConvertAll(kName, kImage),
         .folder = Folder(kTexturePrompt, kName, kImage, "Success!", "Converted Successfully!"),
         .preview = PreviewKind::Picture},
    Kind{.tag = "M3GM", .description = "3D Model", .resourceClass = kConvertible, .groupClass = kFolderConvertible,
         .convert = ExportModel, .noun = "model", .convertStatus = kConvertingStatus,
         .saveDialog = {kUnpackDialog, {kName, ".lwo"}, "LightWave (*.lwo)|*.lwo"},
         .convertAll = ConvertAll(kName, ".lwo"), .folder = Folder(kTexturePrompt, kName, ".lwo"),
         .preview = PreviewKind::Scene, .scenes = ModelScenes},
    UnpackOnlyGroup("Mtrl", "Material Tree Entry"),
    UnpackOnlyGroup("OBAN", "Animations"),
    UnpackOnlyGroup("ONCV", "Character Variants"),
    PlainGroup("ONGS", "Game Settings"),
    UnpackOnlyGroup("ONLD", "Level Descriptions"),
    UnpackOnlyGroup("ONVL", "Character Variant Lists"),
    Kind{.tag = "OSBD", .description = "Data Groups", .resourceClass = kUnpackOnly, .groupClass = kFolderUnpackOnly,
         .raw = &kBulkRaw, .unpacksRaw = true, .unpackAllSkipsHidden = true},
    UnpackOnlyGroup("PNTA", "3D Point Lists"),
    UnpackOnlyGroup("PSpc", "Interface Widgets"),
    UnpackOnlyGroup("PSpL", "Interface Widget Tables?"),
    UnpackOnlyGroup("PSUI", "User Interface Descriptions"),
    Kind{.tag = "SNDD", .description = "Sounds", .resourceClass = kConvertible, .groupClass = kFolderConvertible,
         .raw = &kSoundRaw, .unpacksRaw = true, .unpackBase = kStripped, .convert = ConvertSndd, .noun = "sound",
         .convertStatus = kConvertingStatus,
         .saveDialog = {kUnpackDialog, {kStripped, ".wav"}, "Wave Files (*.wav)|*.wav"},
         .convertAll = ConvertAll(kStripped, ".wav"),
         .folder = Folder("Select the directory to export SNDD's to:", kStripped, ".wav"),
         .preview = PreviewKind::Sound},
    Kind{.tag = "StNA", .description = "String Lists", .resourceClass = kConvertible, .groupClass = kFolderConvertible,
         .convert = ConvertStna, .noun = "string list", .saveDialog = {kUnpackDialog, {kName, ""}, kTextFilter},
         .convertAll = ConvertAll(kName, ".txt"), .folder = Folder(kSubtitlePrompt, kStripped, ".txt"),
         .preview = PreviewKind::Text},
    Kind{.tag = "SUBT", .description = "Subtitle Lists", .resourceClass = kConvertible,
         .groupClass = kFolderConvertible, .raw = &kSubtitleRaw, .convert = ConvertSubt, .noun = "subtitles",
         .saveDialog = {kUnpackDialog, {kName, ""}, kTextFilter},
         .convertAll = ConvertAll(kName, ".txt"), .folder = Folder(kSubtitlePrompt, kStripped, ".txt"),
         .preview = PreviewKind::Text},
    UnpackOnlyGroup("TRAC", "Character Animation Collections"),
    UnpackOnlyGroup("TRAM", "Character Animations"),
    Kind{.tag = "TRMA", .description = "Character Textures", .resourceClass = kConvertible,
         .groupClass = kFolderConvertible, .convert = ConvertTrma, .noun = "texture list", .convertDoneStatus = "[OK]",
         .saveDialog = {kUnpackDialog, {kName, ".txt"}, "Character textures list|*.txt"},
         .folder = Folder("Select the directory to export TRMA's to:", kStripped, ".txt"),
         .preview = PreviewKind::Pictures},
    Kind{.tag = "TStr", .description = "Strings", .resourceClass = kConvertible, .groupClass = kFolderConvertible,
         .convert = ConvertString, .noun = "string", .convertStatus = kStringStatus, .saveDialog = kStringDialog,
         .convertAll = ConvertAll(kName, ".txt"),
         .folder = Folder(kTextPrompt, kName, ".txt", "Success", "Files Unpacked", true), .preview = PreviewKind::Text},
    PlainGroup("TSFL", "Fonts Data Chunks"),
    UnpackOnlyGroup("TSFF", "Fonts [TSFF]"),
    UnpackOnlyGroup("TURR", "Turrets"),
    UnpackOnlyGroup("TXCA", "Texture Coordinate Lists"),
    Kind{.tag = "TXMB", .description = "Large Textures", .resourceClass = kConvertible,
         .groupClass = kFolderConvertible, .convert = ConvertTxmb, .noun = "large texture",
         .convertStatus = kConvertingStatus, .saveDialog = {kUnpackDialog, {kName, ""}, kTargaFilter, kImage},
         .convertAll = ConvertAll(kName, kImage),
         .folder = Folder(kTexturePrompt, kName, kImage, "Success!", "Converted Successfully!"),
         .preview = PreviewKind::Picture},
    Kind{.tag = "TXMP", .description = "Texture Maps", .resourceClass = kConvertible,
         .groupClass = kFolderConvertible, .raw = &kTextureRaw, .unpacksRaw = true,
         .unpackDialogExtension = ".txmp", .unpackAllSkipsHidden = true, .convert = ConvertTxmp, .noun = "texture",
         .convertStatus = kConvertingStatus,
         .saveDialog = {"Save Texture to BMP/TGA File...", {kName, ""},
                        "Windows Bitmap (*.bmp)|*.bmp|TGA Files (*.tga)|*.tga|All Files (*.*)|*.*", kImage},
         .convertAll = ConvertAll(kName, kImage, true, true),
         .folder = Folder(kTexturePrompt, kName, kImage, "Success!", "All Textures have been exported successfully!"),
         .preview = PreviewKind::Picture},
    UnpackOnlyGroup("VCRA", "3D Coordinate Lists"),
    UnpackOnlyGroup("WMCL", "Window Manager Cursor Lists"),
    PlainGroup("WMDD", "Window Descriptors"),
    UnpackOnlyGroup("WMMB", "Window Menu Items List"),
    PlainGroup("WMM_", "Window Menu Items"),
    UnpackOnlyGroup("TRGE", "Character skeleton part size"),
    UnpackOnlyGroup("TRIG", "Trigger definition"),
    PlainGroup("CONS", "Console definition"),
    PlainGroup("DOOR", "Door definition"),
    UnpackOnlyGroup("TRCM", "Character skeleton data reference"),
    Kind{.tag = "ONCC", .description = "Character 3D Models", .resourceClass = kConvertible,
         .groupClass = kFolderConvertible, .convert = ExportCharacter, .noun = "character",
         .convertStatus = kConvertingStatus,
         .saveDialog = {kUnpackDialog, {kName, ".lwo"}, "LightWave Objects (*.lwo)|*.lwo"}, .convertAll = ConvertAll(kName, ".lwo", true),
         .folder = Folder("Select the directory to export:", kName, ".lwo", "Success", "Converted successfully"),
         .preview = PreviewKind::Scene, .scenes = CharacterScenes},
    Kind{.tag = "ONWC", .description = "Weapon Class", .resourceClass = kConvertible, .groupClass = kFolderConvertible,
         .convert = ExportWeapon, .noun = "weapon",
         .saveDialog = {kUnpackDialog, {kName, ".lwo"}, "LightWave files [*.lwo]|*.lwo"},
         .folder = Folder("Select the directory to export ONWC files:", kStripped, ".lwo"),
         .preview = PreviewKind::Scene, .scenes = WeaponScenes},
    // A level converts alone; its group only unpacks.
    Kind{.tag = "ONLV", .description = "ONI LEVEL", .resourceClass = kConvertible, .groupClass = kFolderUnpackOnly,
         .convert = ConvertLevel, .noun = "level", .saveDialog = {kUnpackDialog, {kName, ""}, "LightWave (*.lwo)|*.lwo"},
         .convertAll = ConvertAll(kName, ".lwo"), .preview = PreviewKind::Scene, .scenes = LevelScenes},
    PlainGroup(kLevelChunksKey, "Level Chunks"),
    UnpackOnlyGroup("TRBS", "Character data reference"),
    UnpackOnlyGroup("M3GA", "3D Model Reference"),
    UnpackOnlyGroup("WPge", "Weapon Page Reference"),
    UnpackOnlyGroup("HPge", "Help Page Reference"),
    PlainGroup("TSGA", "Font Size Data"),
    Kind{.tag = "TXAN", .description = "Animated Texture Data", .resourceClass = kConvertible,
         .groupClass = kFolderConvertible, .convert = ConvertTextureList, .noun = "texture list",
         .saveDialog = kTextureListDialog, .preview = PreviewKind::Pictures},
    UnpackOnlyGroup("TRGA", "Character Skeleton Part List"),
    Kind{.tag = "IGSt", .description = "String", .resourceClass = kConvertible, .groupClass = kFolderConvertible,
         .convert = ConvertString, .noun = "string", .convertStatus = kStringStatus, .saveDialog = kStringDialog,
         .convertAll = ConvertAll(kName, ".txt"),
         .folder = Folder(kTextPrompt, kName, ".txt", "Success", "Files Unpacked", true), .preview = PreviewKind::Text},
    PlainGroup("CRSA", "Corpse List"),
    PlainGroup("TRIA", "Character Bones"),
    PlainGroup("TRTA", "Character Joints"),
    PlainGroup(kOtherKey, "Other"),
    Kind{.tag = kUnnamedKey, .description = "UnNamed resources", .zephyrOnly = true},

    // Kinds without a group of their own.
    LevelChunk("PLEA"), LevelChunk("AGDB"), LevelChunk("AGQC"), LevelChunk("AGQR"), LevelChunk("AGQG"),
    LevelChunk("AKVA"), LevelChunk("AKBA"), LevelChunk("AKBP"), LevelChunk("ABNA"),
    LevelChunk("AKOT", kFolderUnpackOnly), LevelChunk("AKAA"), LevelChunk("AKDA"),
    LevelChunk("AKEV", kFolderUnpackOnly), LevelChunk("OBOA"), LevelChunk("ONMA"), LevelChunk("ONFA"),
    LevelChunk("ONTA"), LevelChunk("AISA"), LevelChunk("AITR"), LevelChunk("ONSA"), LevelChunk("OBDC"),
    LevelChunk("ONOA", kFolderUnpackOnly), LevelChunk("OTIT"), LevelChunk("OTLF"), LevelChunk("QTNA"),
    Kind{.tag = "ONSK", .fileUnder = kLevelChunksKey, .resourceClass = kConvertible, .convert = ConvertOnsk,
         .noun = "sky", .saveDialog = kTextureListDialog, .preview = PreviewKind::Pictures},
    Kind{.tag = "TXMA", .fileUnder = kLevelChunksKey, .resourceClass = kConvertible,
         .groupClass = kFolderConvertible, .convert = ConvertTextureList, .noun = "texture list",
         .saveDialog = kTextureListDialog, .preview = PreviewKind::Pictures},
    Kind{.tag = "TSFT", .fileUnder = "TSFL"},
    Kind{.tag = "TRAS", .resourceClass = kUnpackOnly},
};
// clang-format on

// Rows by packed tag in an open-addressing table: the loader looks up every
// record's kind, and a level has hundreds of thousands of records.
constexpr std::size_t kSlots = 256;
constexpr std::uint16_t kEmpty = 0xFFFF;

struct Slot {
    std::uint32_t packed = 0;
    std::uint16_t row = kEmpty;
};

constexpr std::size_t SlotOf(std::uint32_t packed) {
    return static_cast<std::size_t>((packed * 0x9E3779B1u) >> 24) % kSlots;
}

constexpr std::array<Slot, kSlots> SlotsOfRows() {
    std::array<Slot, kSlots> slots{};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const std::uint32_t packed = kRows[i].tag.packed();
        std::size_t slot = SlotOf(packed);
        while (slots[slot].row != kEmpty) {
            if (slots[slot].packed == packed) throw "every tag has one row";
            slot = (slot + 1) % kSlots;
        }
        slots[slot] = {packed, static_cast<std::uint16_t>(i)};
    }
    return slots;
}
constexpr auto kSlotsOfRows = SlotsOfRows();
static_assert(kRows.size() * 2 < kSlots);

constexpr Kind kUnknownKind{};

}  // namespace

std::span<const Kind> Kinds() {
    return kRows;
}

const Kind& KindOf(std::string_view tag) {
    const std::uint32_t packed = PackTag(tag);
    if (packed == 0) return kUnknownKind;
    for (std::size_t slot = SlotOf(packed); kSlotsOfRows[slot].row != kEmpty; slot = (slot + 1) % kSlots) {
        if (kSlotsOfRows[slot].packed == packed) return kRows[kSlotsOfRows[slot].row];
    }
    return kUnknownKind;
}

std::span<const KindRawBlock> RawBlocks() {
    static constexpr auto kRawBlocks = [] {
        std::array<KindRawBlock,
                   std::count_if(kRows.begin(), kRows.end(), [](const Kind& k) { return k.raw != nullptr; })>
            blocks{};
        std::size_t n = 0;
        for (const Kind& k : kRows) {
            if (k.raw != nullptr) blocks[n++] = {k.tag, k.raw};
        }
        return blocks;
    }();
    return kRawBlocks;
}

}  // namespace drossel
