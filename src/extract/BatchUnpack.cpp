#include "container/PathText.h"
#include "container/Session.h"
#include "container/UserInterface.h"
#include "extract/Batch.h"
#include "extract/BatchSteps.h"
#include "extract/Unpack.h"

#include <algorithm>
#include <cctype>

namespace drossel {

std::string WithoutAngleBrackets(const std::string& name) {
    std::string base = name;
    std::erase_if(base, [](char c) { return c == '<' || c == '>'; });
    return base;
}

BatchSummary RunUnpackAll(Session& session, UserInterface& ui) {
    const std::string folder = ui.BrowseForFolder("Select Directory...");
    if (folder.empty()) return {};
    session.SetOutputFolder(folder);
    BatchLockGuard lock(ui, BatchLock::WholeFile);
    BatchReporting batch(ui);
    ForEachRecord(session, ui, [&](std::int32_t i, const ResourceRecord& r) {
        std::string path = session.OutputFolder + r.name + "." + r.tag;
        UnpackRoutine routine = UnpackRoutineFor(r.tag);
        if (routine == UnpackGeneric) {
            ui.SetStatusText("Unpacking: " + r.name);
            if (r.size == 0) {
                ++batch.summary().skipped;
                return;
            }
        } else if (r.flags == kHiddenFlags && r.tag != "SNDD") {
            ++batch.summary().skipped;
            return;
        } else if (SkipPlaceholder(batch, r, "unpack")) {
            return;
        }
        session.selectedIndex = i;
        routine(session, batch, path);
    });
    ui.SetStatusText("Status: Unpacked");
    return batch.summary();
}

BatchSummary RunExportFolder(Session& session, UserInterface& ui, const GroupNode& node) {
    BatchLockGuard lock(ui, BatchLock::Folder);
    const std::string folder = ui.BrowseForFolder("Select directory for unpacking files");
    if (folder.empty()) return {};
    session.SetOutputFolder(folder);
    const std::int32_t remembered = session.selectedIndex;
    BatchReporting batch(ui);

    // The group decides the routine and the extension: the kinds with bulk data
    // get their own routine and their tag in lower case, every other group the
    // generic routine and the resource's own tag.
    const std::string& key = node.key;
    const UnpackRoutine routine = UnpackRoutineFor(key);
    std::string extension;
    if (routine != UnpackGeneric) {
        extension = "." + key;
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    ForEachChild(session, batch, ui, node, "unpack", [&](std::int32_t, const ResourceRecord& r) {
        const std::string name = key == "SNDD" ? StripExtension(r.name) : r.name;
        std::string path =
            session.OutputFolder + WithoutAngleBrackets(name) + (extension.empty() ? "." + r.tag : extension);
        if (!SkipPlaceholder(batch, r, "unpack")) routine(session, batch, path);
    });
    session.selectedIndex = remembered;
    ui.SetProgressValue(0);
    ui.ShowMessage("Files Unpacked", "Success", MessageIcon::Information);
    ui.SetStatusText("Status: ---");
    return batch.summary();
}

}  // namespace drossel
