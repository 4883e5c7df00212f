// The Tools menu's in-place edits from the command line.

#include "app/SoundTools.h"
#include "cli/CliContext.h"

#include <memory>

namespace drossel::cli {

void AddEditCommands(CLI::App& app, CliContext& context) {
    struct Arguments {
        std::string level;
        std::int64_t index = 0;
        std::string wav;
    };
    auto a = std::make_shared<Arguments>();
    auto* replace = app.add_subcommand("replace-sound", "\"Replace !\": puts the sound of WAV into the sound RESOURCE");
    replace->add_option("LEVEL.dat", a->level)->required();
    replace->add_option("RESOURCE", a->index, "table index, 0-based")->required();
    replace->add_option("WAV", a->wav, "a Microsoft ADPCM WAV file of the sound's format and channels")->required();
    replace->callback([&context, a] {
        context.run = [&context, a] {
            if (!context.Open(a->level)) return kFailed;
            context.session.selectedIndex = context.ResourceIndex(a->index);
            const auto sound = SelectedSound(context.session, *context.ui, kNotASoundToReplace);
            const auto slot = sound ? SoundSlotOf(context.level(), *sound, *context.ui) : std::nullopt;
            if (!slot || !ReplaceSound(context.level(), *slot, a->wav, *context.ui)) return kFailed;
            return context.ExitCode();
        };
    });
}

}  // namespace drossel::cli
