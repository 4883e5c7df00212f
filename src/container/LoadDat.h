#pragma once
// Loading a level: reading the .dat file into the session, and the session's
// part of the open, choose-.raw and close commands that both front ends run.

#include <string>

namespace drossel {

struct Session;
class UserInterface;

inline constexpr const char* kNotALevelMessage = "This File is not valid a Oni DAT File!";

// Reads header, descriptors, names, identifiers and raw locations of the file at
// path into the session. A file that is not a level, or is damaged so that its
// table cannot be read, is refused with kNotALevelMessage; then the session's
// table is empty and, when reason is given, it receives a description of the fault.
bool LoadDat(Session& session, UserInterface& ui, const std::string& path, std::string* reason = nullptr);

enum class OpenResult { Cancelled, Rejected, Loaded };

// The open sequence from a chosen path: derives the .raw path, loads, and on
// success resets the options every load sets. The tree is built by the caller.
OpenResult OpenLevel(Session& session, UserInterface& ui, const std::string& datPath, std::string* reason = nullptr);
// Asks for a .dat file with the open dialog, then runs OpenLevel.
OpenResult ChooseAndOpenLevel(Session& session, UserInterface& ui);
// Asks for another .raw file; a cancelled dialog leaves no .raw path.
void ChooseRawFile(Session& session, UserInterface& ui);
// Empties the table; paths and options stay.
void CloseLevel(Session& session);

}  // namespace drossel
