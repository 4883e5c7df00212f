#include "cli/CliContext.h"

#include "container/LoadDat.h"

#include <iostream>
#include <map>

namespace drossel::cli {

void AddCommonOptions(CLI::App& app, CommonOptions& o) {
    app.add_option("--raw", o.rawPath, "the .raw file (default: derived from LEVEL.dat)");
    app.add_option("--image", o.image, "image format of converted textures")
        ->check(CLI::IsMember({"tga32", "tga24", "bmp32", "bmp24"}));
    app.add_option("--model-lwo", o.modelLwo, "LightWave layout of 3D objects")->check(CLI::IsMember({60, 65, 70}));
    app.add_option("--character-lwo", o.characterLwo, "LightWave layout of characters")
        ->check(CLI::IsMember({60, 65, 70}));
    app.add_option("--weapon-lwo", o.weaponLwo, "LightWave layout of weapons")->check(CLI::IsMember({60, 70}));
    app.add_option("--character-group", o.characterGroup, "character group to export")
        ->check(CLI::IsMember({"1", "2", "3", "4", "5", "all"}));
    app.add_option("--level-format", o.levelFormat, "level export format")
        ->check(CLI::IsMember({"lwo", "rwb", "b3d", "b3d-uv"}));
    app.add_flag("--delete-garbage", o.deleteGarbage, "drop garbage faces in the B3D export with materials");
    app.add_flag("--one-text-file", o.oneTextFile, "append string texts to Oni_Text_1.txt in the output folder");
    app.add_flag("--zephyr", o.zephyr, "use the Zephyr view of the tree");
    auto* quiet = app.add_flag("--quiet", o.quiet, "less on stderr");
    app.add_flag("--verbose", o.verbose, "every status text on stderr")->excludes(quiet);
}

bool CliContext::Open(const std::string& datPath) {
    const Verbosity verbosity = options.quiet     ? Verbosity::Quiet
                                : options.verbose ? Verbosity::Verbose
                                                  : Verbosity::Normal;
    ui = std::make_unique<ConsoleUserInterface>(verbosity);
    std::string reason;
    if (OpenLevel(session, *ui, datPath, &reason) != OpenResult::Loaded) {
        if (!reason.empty() && verbosity != Verbosity::Quiet) std::cerr << datPath << ": " << reason << '\n';
        return false;
    }
    if (!options.rawPath.empty()) session.rawPath = options.rawPath;

    const std::string& image = options.image;
    session.ImageExtension = image.starts_with("bmp") ? ".bmp" : ".tga";
    session.ImageBits = image.ends_with("24") ? 24 : 32;
    session.ModelLwoFormat = options.modelLwo;
    session.CharacterLwoFormat = options.characterLwo;
    session.WeaponLwoFormat = options.weaponLwo;
    session.CharacterGroup = options.characterGroup == "all" ? 6 : std::stoi(options.characterGroup);
    static const std::map<std::string, int> kLevelFormats{{"lwo", 1}, {"rwb", 6}, {"b3d", 7}, {"b3d-uv", 8}};
    session.LevelFormat = kLevelFormats.at(options.levelFormat);
    session.DeleteGarbage = options.deleteGarbage;
    session.OneTextFile = options.oneTextFile;
    ui->questionAnswer = options.oneTextFile ? MessageAnswer::Yes : MessageAnswer::No;
    return true;
}

std::int32_t CliContext::ResourceIndex(std::int64_t index) const {
    if (!session.table.Contains(index)) {
        throw UsageError{"RESOURCE " + std::to_string(index) + " is outside the table (0 to " +
                         std::to_string(session.table.count() - 1) + ")"};
    }
    return static_cast<std::int32_t>(index);
}

ResourceTree CliContext::Tree() {
    return BuildView(options.zephyr ? TreeView::Zephyr : TreeView::Normal, session, *ui);
}

}  // namespace drossel::cli
