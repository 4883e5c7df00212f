#include "extract/Commands.h"

#include "container/RoutineFailure.h"
#include "container/Session.h"
#include "extract/Batch.h"
#include "extract/ConverterTable.h"
#include "extract/Unpack.h"

namespace drossel {

void UnpackResource(Session& session, UserInterface& ui) {
    const ResourceRecord* record = session.Selected();
    if (record == nullptr) return;
    std::string path;
    UnpackRoutineFor(record->tag)(session, ui, path);
}

void UnpackAndConvert(Session& session, UserInterface& ui) {
    const ResourceRecord* record = session.Selected();
    if (record == nullptr) return;
    const Converter converter = ConverterFor(record->tag);
    if (converter == nullptr) return;
    std::string path;
    converter(session, ui, path);
}

// The batch loops report each resource's failure themselves; what reaches these
// boundaries is a failure of the loop itself, such as memory running out.
void UnpackAll(Session& session, UserInterface& ui) {
    RunReported(ui, "Unpack ALL !", [&] { RunUnpackAll(session, ui); });
}

void ConvertAll(Session& session, UserInterface& ui) {
    RunReported(ui, "Unpack end convert supported files!", [&] { RunConvertAll(session, ui); });
}

void ExportFolder(Session& session, UserInterface& ui, const GroupNode& node) {
    RunReported(ui, "Export Folder", [&] { RunExportFolder(session, ui, node); });
}

void ExportAndConvertFolder(Session& session, UserInterface& ui, const GroupNode& node) {
    RunReported(ui, "Export and Convert Folder", [&] { RunExportAndConvertFolder(session, ui, node); });
}

}  // namespace drossel
