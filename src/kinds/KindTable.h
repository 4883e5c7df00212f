#pragma once
// The kind table: one row per tag holding everything that differs between
// resource kinds. The tree's groups and their order, the selection rules, the
// loader's .raw locations, unpacking, converting and the four batch commands all
// read it; nothing else knows a kind by its tag. Tags are compared exactly,
// case-sensitively.
//
// Adding a kind is one row here and, where it converts, one function in convert/.

#include "convert/Conversion.h"
#include "level/LoadDat.h"
#include "level/Tag.h"
#include "level/records/Record.h"

#include <span>
#include <string_view>

namespace drossel {

// Which commands a selected resource allows, and a selected group.
enum class ResourceClass { UnpackOnly, Convertible, Other };
enum class GroupClass { FolderUnpackOnly, FolderConvertible, Other };

// What the desktop program's preview shows of a resource: what its conversion
// makes, as one picture, as the pictures of a list, as a sound or as a text;
// the scenes its glTF export writes, in 3D; or the "Resource Info" fields.
enum class PreviewKind { Info, Picture, Pictures, Sound, Text, Scene };

// The base of a file name made from a resource's name.
enum class NameBase { Name, NameWithoutExtension };

// The extension that stands for the Textures option's (".tga" or ".bmp").
inline constexpr std::string_view kImageOptionExtension = "<image>";

// A file name made from a resource: its base, then `extension` (empty: none).
struct Naming {
    NameBase base = NameBase::Name;
    std::string_view extension{};
};

// The save dialog a single conversion shows when no path is given.
struct SaveDialog {
    std::string_view title{};
    Naming proposedName{};
    std::string_view filter{};
    // The extension whose filter the dialog shows first and that a name typed
    // without one gets (kImageOptionExtension: the Textures option's); empty:
    // the filter the person chose says.
    std::string_view defaultExtension{};
};

// What "Unpack end convert supported files!" does with a resource of the kind.
struct ConvertAllRule {
    bool included = false;
    bool skipHidden = false;    // skipped when its flags are 2
    bool skipNoneName = false;  // skipped when its name is "<none>"
    Naming naming{};
};

// What "Export and Convert Folder" does on the kind's group node.
struct FolderRule {
    std::string_view prompt{};  // empty: the group is not converted
    Naming naming{};
    std::string_view doneTitle{};
    std::string_view doneText{};
    bool asksOneTextFile = false;  // asks whether the texts go to one file
};

struct Kind {
    Tag tag{};  // a tag, or a group key that is no tag ("LEVL", "----", "UNKN")
    // The tree: the description of the kind's own group (empty: it has none, and
    // groups are listed in table order), and where the Normal view files the
    // kind's resources instead of under their own tag ("LEVL" for level chunks).
    std::string_view description{};
    std::string_view fileUnder{};
    bool zephyrOnly = false;

    ResourceClass resourceClass = ResourceClass::Other;
    GroupClass groupClass = GroupClass::Other;

    // The record family that says where its bulk data lies in the .raw file.
    const RawBlock* raw = nullptr;

    // Unpacking: the record alone (`size` bytes), or the record of `raw` and
    // the .raw bytes it points at; the base of its file names, the extension the
    // save dialog proposes (empty: "." and the tag), and whether "Unpack ALL !"
    // skips hidden resources (flags 2) of the kind.
    bool unpacksRaw = false;
    NameBase unpackBase = NameBase::Name;
    std::string_view unpackDialogExtension{};
    bool unpackAllSkipsHidden = false;

    // Converting: the converter (nullptr: none), the word for the kind in
    // messages, the status texts before (followed by the name) and after, the
    // save dialog, and the two batch commands.
    Converter convert = nullptr;
    std::string_view noun{};
    std::string_view convertStatus{};
    std::string_view convertDoneStatus{};  // shown once a conversion has written everything
    SaveDialog saveDialog{};
    ConvertAllRule convertAll{};
    FolderRule folder{};

    PreviewKind preview = PreviewKind::Info;
    SceneMaker scenes = nullptr;  // what a Scene preview draws
};

// Every row, groups first in tree order.
std::span<const Kind> Kinds();
// The row of a tag; an empty row (no group, class Other, nothing to convert)
// for a tag the table does not hold.
const Kind& KindOf(std::string_view tag);
// The kinds whose bulk data lies in the .raw file, for the loader.
std::span<const KindRawBlock> RawBlocks();

inline constexpr std::string_view kLevelChunksKey = "LEVL";
inline constexpr std::string_view kOtherKey = "----";
inline constexpr std::string_view kUnnamedKey = "UNKN";

}  // namespace drossel
