#pragma once
// The session's part of the File menu's open, choose-.raw and close commands,
// which both front ends run.

#include "level/ResourceTable.h"

#include <optional>
#include <string>

namespace drossel {

class Level;
struct Session;
class UserInterface;

enum class OpenResult { Cancelled, Rejected, Loaded };

// The open sequence from a chosen path: derives the .raw path, loads, and on
// success resets the options every load sets. A refused file gets the
// not-a-level message followed by what was wrong with it (also given in
// `reason`), and leaves the level that was open, if any, open and unchanged.
// The tree is built by the caller.
OpenResult OpenLevel(Session& session, UserInterface& ui, const std::string& datPath, std::string* reason = nullptr);
// What OpenLevel says and checks, for a command that shows only the header:
// the table is read and checked but not kept.
std::optional<DatHeader> OpenLevelHeader(UserInterface& ui, const std::string& datPath);
// The .raw file a level's .dat file goes with, until another is chosen.
std::string RawPathOf(const std::string& datPath);
// Asks for a .dat file with the open dialog, then runs OpenLevel.
OpenResult ChooseAndOpenLevel(Session& session, UserInterface& ui);
// Asks for another .raw file for the open level; a cancelled dialog leaves it
// none. Without an open level the choice has nothing to apply to: the next open
// derives the .raw path from the .dat path again.
void ChooseRawFile(Session& session, UserInterface& ui);
// Closes the level; the options stay.
void CloseLevel(Session& session);
// The status text that says the level's .raw file cannot be found, so that its
// textures and sounds cannot be converted; nothing when the file is there.
std::optional<std::string> MissingRawText(const Level& level);

}  // namespace drossel
