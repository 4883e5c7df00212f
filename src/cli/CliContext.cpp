#include "cli/CliContext.h"

#include "app/OpenLevel.h"

#include <map>

namespace drossel::cli {

void AddCommonOptions(CLI::App& app, CommonOptions& o) {
    Options& c = o.conversion;
    app.add_option("--raw", o.rawPath, "the .raw file (default: derived from LEVEL.dat)");
    app.add_option("--image", c.Image, "image format of converted textures")
        ->transform(CLI::CheckedTransformer(std::map<std::string, ImageFormat>{{"tga32", ImageFormat::Tga32},
                                                                               {"tga24", ImageFormat::Tga24},
                                                                               {"bmp32", ImageFormat::Bmp32},
                                                                               {"bmp24", ImageFormat::Bmp24},
                                                                               {"png", ImageFormat::Png32}}));
    app.add_option("--3d-format", o.glb,
                   "models, characters, weapons and levels as LightWave (and the level formats "
                   "below) or as glTF binary")
        ->transform(CLI::CheckedTransformer(std::map<std::string, bool>{{"lwo", false}, {"glb", true}}));
    app.add_option("--model-lwo", c.ModelLwoFormat, "LightWave layout of 3D objects")
        ->check(CLI::IsMember({60, 65, 70}));
    app.add_option("--character-lwo", c.CharacterLwoFormat, "LightWave layout of characters")
        ->check(CLI::IsMember({60, 65, 70}));
    app.add_option("--weapon-lwo", c.WeaponLwoFormat, "LightWave layout of weapons")->check(CLI::IsMember({60, 70}));
    app.add_option("--character-group", c.CharacterGroup, "character group to export (1 to 5, all)")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, int>{{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}, {"all", 6}}));
    app.add_option("--level-format", c.LevelFormat, "level export format")
        ->transform(
            CLI::CheckedTransformer(std::map<std::string, int>{{"lwo", 1}, {"rwb", 6}, {"b3d", 7}, {"b3d-uv", 8}}));
    app.add_flag("--delete-garbage", c.DeleteGarbage, "drop garbage faces in the B3D export with materials");
    app.add_flag("--all-quads-geometry", c.AllQuadsGeometry,
                 "keep ghost, door-frame and invisible quads in a level's glTF export");
    app.add_flag("--one-text-file", c.OneTextFile, "append string texts to Oni_Text_1.txt in the output folder");
    app.add_option("--jobs", o.jobs, "threads the batch commands convert and unpack on (default: one per core)")
        ->check(CLI::Range(1, 256));
    app.add_flag("--zephyr", o.zephyr, "use the Zephyr view of the tree");
    auto* quiet = app.add_flag("--quiet", o.quiet, "less on stderr");
    app.add_flag("--verbose", o.verbose, "every status text on stderr")->excludes(quiet);
}

void CliContext::StartConsole() {
    const Verbosity verbosity = options.quiet     ? Verbosity::Quiet
                                : options.verbose ? Verbosity::Verbose
                                                  : Verbosity::Normal;
    ui = std::make_unique<ConsoleUserInterface>(verbosity);
}

std::optional<DatHeader> CliContext::OpenHeader(const std::string& datPath) {
    StartConsole();
    return OpenLevelHeader(*ui, datPath);
}

std::string CliContext::RawPathFor(const std::string& datPath) const {
    return options.rawPath.empty() ? RawPathOf(datPath) : options.rawPath;
}

bool CliContext::Open(const std::string& datPath) {
    StartConsole();
    // A refusal's message names the file and says why.
    if (OpenLevel(session, *ui, datPath) != OpenResult::Loaded) return false;
    if (!options.rawPath.empty()) session.level->SetRawPath(options.rawPath);
    // The command line's options stand where the menus' choices would.
    session.options = options.conversion;
    session.jobs = options.jobs;
    if (options.glb) {
        Options& o = session.options;
        o.ModelLwoFormat = o.CharacterLwoFormat = o.WeaponLwoFormat = o.LevelFormat = kGlb;
    }
    ui->questionAnswer = options.conversion.OneTextFile ? MessageAnswer::Yes : MessageAnswer::No;
    return true;
}

std::int32_t CliContext::ResourceIndex(std::int64_t index) const {
    if (!level().Contains(index)) {
        throw UsageError{"RESOURCE " + std::to_string(index) + " is outside the table (0 to " +
                         std::to_string(level().count() - 1) + ")"};
    }
    return static_cast<std::int32_t>(index);
}

ResourceTree CliContext::Tree() {
    return BuildView(options.zephyr ? TreeView::Zephyr : TreeView::Normal, level(), *ui);
}

}  // namespace drossel::cli
