#include "app/OpenLevel.h"

#include "app/Session.h"
#include "app/UserInterface.h"
#include "io/PathText.h"
#include "kinds/KindTable.h"
#include "level/LoadDat.h"

namespace drossel {

OpenResult OpenLevel(Session& session, UserInterface& ui, const std::string& datPath, std::string* reason) {
    session.level.reset();
    Result<Level> loaded = LoadDat(datPath, StripExtension(datPath) + ".raw", RawBlocks());
    if (!loaded) {
        if (reason != nullptr) *reason = loaded.error();
        ui.ShowMessage(kNotALevelMessage, kProgramTitle, MessageIcon::Critical);
    }
    ui.SetStatusText("Status: Loading...");
    if (!loaded) {
        ui.SetStatusText("Status: ---");
        return OpenResult::Rejected;
    }
    session.level = std::move(loaded.value());
    session.options.ResetForLoad();
    return OpenResult::Loaded;
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

}  // namespace drossel
