#pragma once
// The Edit menu's four batch commands. Each asks for its folder, locks the
// controls it must keep out of reach, walks the table (or the children of one
// tree node) handing every resource explicitly to the command shell, and goes on
// past a resource that fails. They return what they did, for callers that
// report it themselves (drossel-cli).

#include "app/ResourceTree.h"

#include <string>
#include <vector>

namespace drossel {

struct Session;
class UserInterface;

struct BatchSummary {
    std::string folder;  // the folder the batch wrote into; empty when it never started
    int filesWritten = 0;
    int skipped = 0;
    std::vector<std::string> failures;  // the text of every error message, in order
    std::vector<std::string> warnings;  // every warning (missing parts, renamed outputs), in order
    int walked = 0;                     // resources the walk reached, of
    int toWalk = 0;                     // the resources it had to walk
    bool cancelled = false;             // the person stopped it after `walked` resources
};

// One line for the status bar at the end of a batch: how it ended and its counts.
std::string BatchSummaryText(const BatchSummary& summary);

BatchSummary UnpackAll(Session& session, UserInterface& ui);   // "Unpack ALL !"
BatchSummary ConvertAll(Session& session, UserInterface& ui);  // "Unpack end convert supported files!"
// The folder commands act on the tree node selected when they start. For a
// resource node, or when nothing is selected, pass a node with that key (or an
// empty key) and no children.
BatchSummary UnpackGroup(Session& session, UserInterface& ui, const GroupNode& node);   // "Export Folder"
BatchSummary ConvertGroup(Session& session, UserInterface& ui, const GroupNode& node);  // "Export and Convert Folder"

}  // namespace drossel
