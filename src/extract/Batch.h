#pragma once
// The batch commands of the Edit menu, returning what they did so that callers
// other than the menu (the command-line program) can report it. The menu runs
// them through Commands.h.

#include "container/ResourceTree.h"
#include "extract/BatchReporting.h"
#include "extract/ConverterTable.h"

namespace drossel {

struct Session;
class UserInterface;

BatchSummary RunUnpackAll(Session& session, UserInterface& ui);                            // "Unpack ALL !"
BatchSummary RunExportFolder(Session& session, UserInterface& ui, const GroupNode& node);  // "Export Folder"
// "Unpack end convert supported files!" and "Export and Convert Folder"; `lookup`
// gives the converter of a tag (the converter table unless a test stands in).
BatchSummary RunConvertAll(Session& session, UserInterface& ui, ConverterLookup lookup = ConverterFor);
BatchSummary RunExportAndConvertFolder(Session& session, UserInterface& ui, const GroupNode& node,
                                       ConverterLookup lookup = ConverterFor);

// The name with every "<" and ">" removed: the folder commands' base of file names.
std::string WithoutAngleBrackets(const std::string& name);

}  // namespace drossel
