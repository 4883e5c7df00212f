#include "app/BatchRun.h"
#include "app/OutputNames.h"
#include "app/Session.h"
#include "kinds/KindTable.h"

namespace drossel {

BatchSummary UnpackAll(Session& session, UserInterface& ui) {
    const std::string folder = ui.BrowseForFolder("Select Directory...");
    if (folder.empty() || !session.level) return {};
    session.SetOutputFolder(folder);
    const Level& level = *session.level;
    const FilesOpenForCommand files(level);
    BatchLockGuard lock(ui, BatchLock::WholeFile);
    BatchRun run(ui, session.OutputFolder, session.jobs);
    const auto skipsHidden = [](const Kind& kind, const ResourceRecord& r) {
        return kind.unpacksRaw && kind.unpackAllSkipsHidden && r.flags == kHiddenFlags;
    };
    const auto prepare = [&](std::int32_t i, const ResourceRecord& r) -> std::optional<PreparedWork> {
        if (r.size == 0 || skipsHidden(KindOf(r.tag), r)) return std::nullopt;
        return PrepareUnpack(level, i);
    };
    run.ForEachRecord(level, prepare, [&](std::int32_t i, const ResourceRecord& r, PreparedWork* prepared) {
        const Kind& kind = KindOf(r.tag);
        if (!kind.unpacksRaw) {
            ui.SetStatusText("Unpacking: " + std::string(r.name));
            if (r.size == 0) {
                ++run.summary().skipped;
                return;
            }
        } else if (skipsHidden(kind, r)) {
            ++run.summary().skipped;
            return;
        } else if (run.SkipPlaceholder(r, "unpack")) {
            return;
        }
        session.selectedIndex = i;  // left at the last resource unpacked
        UnpackResource(level, i, run.reporting(), UnpackAllPath(session.OutputFolder, r), &run.claims(), nullptr,
                       prepared);
    });
    ui.SetStatusText("Status: Unpacked");
    ReportWarnings(ui, run.summary());
    return run.summary();
}

BatchSummary UnpackGroup(Session& session, UserInterface& ui, const GroupNode& node) {
    BatchLockGuard lock(ui, BatchLock::Folder);
    const std::string folder = ui.BrowseForFolder("Select directory for unpacking files");
    if (folder.empty() || !session.level) return {};
    session.SetOutputFolder(folder);
    const Level& level = *session.level;
    const FilesOpenForCommand files(level);
    BatchRun run(ui, session.OutputFolder, session.jobs);
    // The group decides how its resources unpack.
    const Kind& routine = KindOf(node.key);
    const auto prepare = [&](std::int32_t i, const ResourceRecord& r) -> std::optional<PreparedWork> {
        if (r.IsPlaceholder()) return std::nullopt;
        return PrepareUnpack(level, i, &routine);
    };
    run.ForEachChild(level, node, "unpack", prepare,
                     [&](std::int32_t i, const ResourceRecord& r, PreparedWork* prepared) {
                         if (run.SkipPlaceholder(r, "unpack")) return;
                         UnpackResource(level, i, run.reporting(), UnpackGroupPath(session.OutputFolder, node.key, r),
                                        &run.claims(), &routine, prepared);
                     });
    ui.SetProgressValue(0);
    run.ReportFolderDone(node, "Files Unpacked", "Success", "unpacked");
    ui.SetStatusText("Status: ---");
    ReportWarnings(ui, run.summary());
    return run.summary();
}

}  // namespace drossel
