// The Tools menu's in-place edits from the command line.

#include "app/LightingEditor.h"
#include "app/SelectionRules.h"
#include "app/SoundTools.h"
#include "app/StringEditor.h"
#include "app/TextureImport.h"
#include "cli/CliContext.h"

#include <charconv>
#include <iostream>
#include <memory>
#include <string_view>

namespace drossel::cli {
namespace {

struct Arguments {
    std::string level;
    std::int64_t index = 0;
    std::string text;  // the WAV file, the picture, the new text
    std::string quad;  // as typed: a number too large for any integer is named as it was given
    bool allQuads = false;
    std::vector<std::string> colour;   // corner, then B,G,R,A
    std::vector<std::string> colours;  // four times B,G,R,A
};

CLI::App* Command(CLI::App& app, const char* name, const char* description, Arguments& a) {
    auto* command = app.add_subcommand(name, description);
    command->add_option("LEVEL.dat", a.level)->required();
    command->add_option("RESOURCE", a.index, "table index, 0-based")->required();
    return command;
}

// "B,G,R,A" into the four boxes of a corner, from box `first`.
void ReadCorner(std::string_view text, std::size_t first, std::array<std::string, kColourBytes>& boxes) {
    std::size_t k = 0;
    for (std::size_t start = 0; k < 4; ++k) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        boxes[first + k] = std::string(text.substr(start, comma - start));
        if (comma == text.size()) break;
        start = comma + 1;
    }
    if (k != 3) throw UsageError{"a colour is four numbers B,G,R,A from 0 to 255, not \"" + std::string(text) + "\""};
}

// What the lighting editor's window would do with the boxes filled in this way,
// then "OK".
void SetLights(const Level& level, std::int32_t index, const Arguments& a) {
    LightingEditor editor(level, index);
    std::uint32_t shown = 0;
    if (!a.allQuads) {
        const auto [end, error] = std::from_chars(a.quad.data(), a.quad.data() + a.quad.size(), shown);
        if (error != std::errc{} || end != a.quad.data() + a.quad.size() || shown >= editor.quadCount()) {
            throw UsageError{"--quad " + a.quad + " is outside the quads (0 to " +
                             std::to_string(editor.quadCount() - 1) + ")"};
        }
    }
    QuadColours colours = editor.Colours(shown);
    std::array<std::string, kColourBytes> boxes;
    int corner = 0;
    if (!a.colour.empty()) {
        corner = ColourByte(a.colour[0]).value_or(0);
        if (corner < 1 || corner > kCornerColours) throw UsageError{"--colour takes a corner from 1 to 4 first"};
        ReadCorner(a.colour[1], 4 * static_cast<std::size_t>(corner - 1), boxes);
    } else {
        for (std::size_t c = 0; c < kCornerColours; ++c) ReadCorner(a.colours[c], 4 * c, boxes);
    }
    const std::size_t first = corner ? 4 * static_cast<std::size_t>(corner - 1) : 0;
    if (const auto problem = ReadColourTexts(boxes, first, corner ? 4 : kColourBytes, colours)) {
        throw UsageError{*problem};
    }
    if (a.allQuads) {
        corner ? editor.ApplyCornerToAll(corner, colours) : editor.ApplyToAll(colours);
    } else {
        editor.Apply(shown, colours);
    }
    editor.Save(level);
}

// An import says what it wrote, as the desktop program's status bar does.
int Done(CliContext& context) {
    if (!context.options.quiet && !context.options.verbose) std::cerr << context.ui->lastStatus() << '\n';
    return context.ExitCode();
}

}  // namespace

void AddEditCommands(CLI::App& app, CliContext& context) {
    auto a = std::make_shared<Arguments>();
    // Each runs on the resource named on the command line as if it were selected.
    auto selected = [&context, a](std::span<const std::string_view> tags, const char* wrongTag) {
        if (!context.Open(a->level)) return std::optional<std::int32_t>{};
        context.session.selectedIndex = context.ResourceIndex(a->index);
        return SelectedForTool(context.session, *context.ui, tags, wrongTag);
    };

    auto* replace = Command(app, "replace-sound", "\"Replace !\": puts the sound of WAV into the sound RESOURCE", *a);
    replace->add_option("WAV", a->text, "a WAV file, converted to the sound's own format")->required();
    replace->callback([&context, a, selected] {
        context.run = [&context, a, selected] {
            const auto sound = selected(kSoundTags, kNotASoundToReplace);
            const auto slot = sound ? SoundSlotOf(context.level(), *sound, *context.ui) : std::nullopt;
            if (!slot || !ReplaceSound(context.level(), *slot, a->text, *context.ui)) return kFailed;
            return Done(context);
        };
    });

    auto* texture = Command(app, "replace-texture", "puts the picture IMAGE into the texture RESOURCE, in place", *a);
    texture->add_option("IMAGE", a->text, "a PNG, TGA or BMP picture of the texture's size")->required();
    texture->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level)) return kFailed;
            context.session.selectedIndex = context.ResourceIndex(a->index);
            const auto index = TextureToReplace(context.session, *context.ui);
            if (!index || !ReplaceTexture(context.level(), *index, a->text, *context.ui)) return kFailed;
            return Done(context);
        };
    });

    auto* setString = Command(app, "set-string", "\"Save Changes\": TEXT into the TStr or IGSt RESOURCE", *a);
    setString->add_option("TEXT", a->text, "the new text, UTF-8")->required();
    setString->callback([&context, a, selected] {
        context.run = [&context, a, selected] {
            const auto index = selected(kEditableStringTags, kNotAString);
            if (!index) return kFailed;
            StringEditor(context.level(), *index).Save(context.level(), a->text);
            return context.ExitCode();
        };
    });

    auto* setLights = Command(app, "set-lights", "the lighting editor on the AGQG RESOURCE, then \"OK\"", *a);
    auto* quads = setLights->add_option_group("quads", "which quads");
    quads->add_option("--quad", a->quad, "one quad, 0-based (\"Apply\")");
    quads->add_flag("--all-quads", a->allQuads, "every quad (\"all\" or \"Apply to all\")");
    quads->require_option(1);
    auto* colours = setLights->add_option_group("colours", "which colours");
    colours->add_option("--colour", a->colour, "C B,G,R,A: colour C (1 to 4) only")->expected(2);
    colours->add_option("--colours", a->colours, "B,G,R,A B,G,R,A B,G,R,A B,G,R,A: all four colours")->expected(4);
    colours->require_option(1);
    setLights->callback([&context, a, selected] {
        context.run = [&context, a, selected] {
            const auto index = selected(kLightingListTags, kNotALightingList);
            if (!index) return kFailed;
            SetLights(context.level(), *index, *a);
            return context.ExitCode();
        };
    });
}

}  // namespace drossel::cli
