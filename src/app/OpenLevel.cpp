#include "app/OpenLevel.h"

#include "app/Session.h"
#include "app/UserInterface.h"
#include "io/PathText.h"
#include "kinds/KindTable.h"
#include "level/LoadDat.h"

#include <filesystem>

namespace drossel {

namespace {

// What every open says: a refusal's message, then the status texts.
bool Reported(UserInterface& ui, const std::string& datPath, const std::string* refusal, std::string* reason) {
    if (refusal != nullptr) {
        if (reason != nullptr) *reason = *refusal;
        ui.ShowMessage(std::string(kNotALevelMessage) + "\r\n" + datPath + ": " + *refusal, kProgramTitle,
                       MessageIcon::Critical);
    }
    ui.SetStatusText("Status: Loading...");
    if (refusal != nullptr) ui.SetStatusText("Status: ---");
    return refusal == nullptr;
}

}  // namespace

std::string RawPathOf(const std::string& datPath) {
    return StripExtension(datPath) + ".raw";
}

OpenResult OpenLevel(Session& session, UserInterface& ui, const std::string& datPath, std::string* reason) {
    Result<Level> loaded = LoadDat(datPath, RawPathOf(datPath), RawBlocks());
    if (!Reported(ui, datPath, loaded ? nullptr : &loaded.error(), reason)) return OpenResult::Rejected;
    session.level = std::move(loaded.value());
    session.options.ResetForLoad();
    return OpenResult::Loaded;
}

std::optional<DatHeader> OpenLevelHeader(UserInterface& ui, const std::string& datPath) {
    Result<DatHeader> loaded = LoadDatHeader(datPath);
    if (!Reported(ui, datPath, loaded ? nullptr : &loaded.error(), nullptr)) return std::nullopt;
    return loaded.value();
}

OpenResult ChooseAndOpenLevel(Session& session, UserInterface& ui) {
    const std::string path =
        ui.AskOpenPath({"Open Oni Source Dat File...", "", "Oni, Oni-II Source Dat File (*.dat)|*.dat"});
    if (path.empty()) return OpenResult::Cancelled;
    return OpenLevel(session, ui, path);
}

void ChooseRawFile(Session& session, UserInterface& ui) {
    const std::string path = ui.AskOpenPath({"Open Oni raw File...", "", "Oni Raw Data File (*.raw)|*.raw"});
    if (session.level) session.level->SetRawPath(path);
    if (!path.empty()) ui.ShowMessage("RAW File = " + path, kProgramTitle, MessageIcon::Information);
}

void CloseLevel(Session& session) {
    session.level.reset();
}

std::optional<std::string> MissingRawText(const Level& level) {
    const std::string& raw = level.rawPath();
    std::error_code error;
    if (!raw.empty() && std::filesystem::is_regular_file(raw, error)) return std::nullopt;
    return "Status: Loaded, but " + (raw.empty() ? std::string("no .raw file is chosen") : raw + " is missing") +
           ": textures and sounds cannot be converted";
}

}  // namespace drossel
