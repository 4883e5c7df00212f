#pragma once
// The Edit menu's single-resource commands, as the desktop program calls them:
// each acts on the resource selected in the tree. The batch commands are in
// Batch.h.

namespace drossel {

struct Session;
class UserInterface;

void Unpack(Session& session, UserInterface& ui);   // "Unpack"
void Convert(Session& session, UserInterface& ui);  // "Unpack and Convert"

}  // namespace drossel
