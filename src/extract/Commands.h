#pragma once
// The Edit menu's unpack and convert commands, as both front ends call them.
// Each works on session.selectedIndex (single commands), on the whole table, or
// on the children of one tree node (folder commands).

#include "container/ResourceTree.h"

namespace drossel {

struct Session;
class UserInterface;

void UnpackResource(Session& session, UserInterface& ui);    // "Unpack"
void UnpackAndConvert(Session& session, UserInterface& ui);  // "Unpack and Convert"
void UnpackAll(Session& session, UserInterface& ui);         // "Unpack ALL !"
void ConvertAll(Session& session, UserInterface& ui);        // "Unpack end convert supported files!"
// The folder commands act on the tree node selected when they start. For a
// resource node, or when nothing is selected, pass a node with that key (or an
// empty key) and no children.
void ExportFolder(Session& session, UserInterface& ui, const GroupNode& node);            // "Export Folder"
void ExportAndConvertFolder(Session& session, UserInterface& ui, const GroupNode& node);  // "Export and Convert Folder"

}  // namespace drossel
