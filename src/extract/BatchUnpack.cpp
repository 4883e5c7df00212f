#include "container/PathText.h"
#include "container/Session.h"
#include "container/UserInterface.h"
#include "extract/Batch.h"
#include "extract/RoutineFailure.h"
#include "extract/Unpack.h"

#include <algorithm>
#include <cctype>

namespace drossel {
namespace {

// Placeholders are skipped with their reason in the status bar: they hold nothing
// to unpack, which is no failure of the run.
bool SkipPlaceholder(UserInterface& ui, BatchSummary& summary, const ResourceRecord& r) {
    if (!IsPlaceholder(r)) return false;
    ui.SetStatusText("Cannot unpack " + r.name + ": " + PlaceholderReason());
    ++summary.skipped;
    return true;
}

void Run(Session& session, BatchReporting& batch, std::int32_t index, UnpackRoutine routine, std::string path) {
    session.selectedIndex = index;
    routine(session, batch, path);
}

}  // namespace

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
    BatchSummary& summary = batch.summary();
    const std::int32_t count = session.table.count();
    ui.SetProgressMaximum(count);
    ui.SetProgressValue(0);
    for (std::int32_t i = 0; i < count; ++i) {
        ui.ProcessPendingEvents();
        const ResourceRecord& r = session.table.at(i);
        const std::string path = session.OutputFolder + r.name + "." + r.tag;
        const bool hidden = r.flags == kHiddenFlags;
        if (r.tag == "TXMP" || r.tag == "BINA" || r.tag == "OSBD" || r.tag == "SNDD") {
            if (r.tag != "SNDD" && hidden)
                ++summary.skipped;
            else if (!SkipPlaceholder(batch, summary, r))
                Run(session, batch, i, UnpackRoutineFor(r.tag), path);
        } else {
            ui.SetStatusText("Unpacking: " + r.name);
            if (r.size == 0)
                ++summary.skipped;
            else
                Run(session, batch, i, UnpackGeneric, path);
        }
        ui.SetProgressValue(i + 1);
        ui.ProcessPendingEvents();
    }
    ui.SetStatusText("Status: Unpacked");
    return summary;
}

BatchSummary RunExportFolder(Session& session, UserInterface& ui, const GroupNode& node) {
    BatchLockGuard lock(ui, BatchLock::Folder);
    const std::string folder = ui.BrowseForFolder("Select directory for unpacking files");
    if (folder.empty()) return {};
    session.SetOutputFolder(folder);
    const std::int32_t remembered = session.selectedIndex;
    BatchReporting batch(ui);
    BatchSummary& summary = batch.summary();

    const std::string& key = node.key;
    UnpackRoutine routine = UnpackGeneric;
    std::string extension;  // empty: "." and the resource's tag
    if (key == "TXMP" || key == "SNDD" || key == "BINA" || key == "OSBD") {
        routine = UnpackRoutineFor(key);
        extension = "." + key;
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }

    const auto count = static_cast<int>(node.children.size());
    ui.SetProgressMaximum(count);
    ui.SetProgressValue(0);
    for (int k = 0; k < count; ++k) {
        ui.ProcessPendingEvents();
        const ResourceNode& child = node.children[static_cast<std::size_t>(k)];
        const auto index = IndexOfNodeKey(child.key);
        if (!index || !session.table.Contains(*index)) {
            batch.ShowMessage(
                "Cannot unpack " + child.text + ": the tree node " + child.key + " names no resource of the table",
                kProgramTitle, MessageIcon::Critical, MessageButtons::Ok);
            ui.SetStatusText("NONE");
        } else {
            session.selectedIndex = *index;
            ui.SelectTreeNode(child.key);
            const ResourceRecord& r = session.table.at(*index);
            const std::string name = key == "SNDD" ? StripExtension(r.name) : r.name;
            const std::string path =
                session.OutputFolder + WithoutAngleBrackets(name) + (extension.empty() ? "." + r.tag : extension);
            if (!SkipPlaceholder(batch, summary, r)) Run(session, batch, *index, routine, path);
        }
        ui.SetProgressValue(k + 1);
        ui.ProcessPendingEvents();
    }
    session.selectedIndex = remembered;
    ui.SetProgressValue(0);
    ui.ShowMessage("Files Unpacked", "Success", MessageIcon::Information);
    ui.SetStatusText("Status: ---");
    return summary;
}

}  // namespace drossel
