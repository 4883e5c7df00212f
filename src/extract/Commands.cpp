#include "extract/Commands.h"

// Placeholders until unpacking and conversion land: the commands do nothing yet.

namespace drossel {

void UnpackResource(Session&, UserInterface&) {}
void UnpackAndConvert(Session&, UserInterface&) {}
void UnpackAll(Session&, UserInterface&) {}
void ConvertAll(Session&, UserInterface&) {}
void ExportFolder(Session&, UserInterface&, const GroupNode&) {}
void ExportAndConvertFolder(Session&, UserInterface&, const GroupNode&) {}

}  // namespace drossel
