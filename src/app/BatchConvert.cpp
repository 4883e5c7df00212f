#include "app/BatchRun.h"
#include "app/OutputNames.h"
#include "app/Session.h"
#include "kinds/KindTable.h"

namespace drossel {
namespace {

constexpr const char* kTextQuestion =
    "Export end Convert Oni Text resources to:\r\nYES - 1 Text File\r\nNO - more text file";

}  // namespace

BatchSummary ConvertAll(Session& session, UserInterface& ui) {
    const std::string folder = ui.BrowseForFolder("Select Directory");
    if (folder.empty() || !session.level) return {};
    session.SetOutputFolder(folder);
    const Level& level = *session.level;
    const FilesOpenForCommand files(level);
    BatchLockGuard lock(ui, BatchLock::WholeFile);
    BatchRun run(ui, session.OutputFolder, session.jobs);
    const auto included = [](const Kind& kind) { return kind.convertAll.included && kind.convert != nullptr; };
    const auto skipped = [](const Kind& kind, const ResourceRecord& r) {
        const ConvertAllRule& rule = kind.convertAll;
        return (rule.skipHidden && r.flags == kHiddenFlags) || (rule.skipNoneName && r.name == "<none>");
    };
    const auto prepare = [&](std::int32_t i, const ResourceRecord& r) -> std::optional<PreparedWork> {
        const Kind& kind = KindOf(r.tag);
        if (!included(kind) || skipped(kind, r) || r.IsPlaceholder()) return std::nullopt;
        return PrepareConversion(level, i, session.options, ConvertAllPath(session.OutputFolder, r, session.options),
                                 session.OutputFolder);
    };
    run.ForEachRecord(level, prepare, [&](std::int32_t i, const ResourceRecord& r, PreparedWork* prepared) {
        const Kind& kind = KindOf(r.tag);
        if (!included(kind)) {
            ui.SetStatusText("Status: Skiping " + std::string(r.name));
        } else if (skipped(kind, r)) {
            ++run.summary().skipped;
        } else if (!run.SkipPlaceholder(r, "convert")) {
            session.selectedIndex = i;  // left at the last resource converted
            ConvertResource(session, i, run.reporting(), ConvertAllPath(session.OutputFolder, r, session.options),
                            &run.claims(), prepared);
        }
    });
    ReportWarnings(ui, run.summary());
    return run.summary();
}

BatchSummary ConvertGroup(Session& session, UserInterface& ui, const GroupNode& node) {
    BatchLockGuard lock(ui, BatchLock::Folder);
    const Kind& group = KindOf(node.key);
    const FolderRule& rule = group.folder;
    if (!session.level) return {};
    if (rule.prompt.empty() || group.convert == nullptr) {
        ui.ShowMessage("Cannot convert the folder " + node.key + ": its resources are not converted as a folder",
                       kProgramTitle, MessageIcon::Critical);
        return {};
    }
    const std::string folder = ui.BrowseForFolder(std::string(rule.prompt));
    if (folder.empty()) return {};
    session.SetOutputFolder(folder);
    if (rule.asksOneTextFile) {
        const MessageAnswer answer =
            ui.ShowMessage(kTextQuestion, kProgramTitle, MessageIcon::Information, MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel) return {};
        session.options.OneTextFile = answer == MessageAnswer::Yes;
    }
    const Level& level = *session.level;
    const FilesOpenForCommand files(level);
    BatchRun run(ui, session.OutputFolder, session.jobs);
    const auto prepare = [&](std::int32_t i, const ResourceRecord& r) -> std::optional<PreparedWork> {
        if (r.IsPlaceholder()) return std::nullopt;
        return PrepareConversion(level, i, session.options,
                                 ConvertGroupPath(session.OutputFolder, node.key, r, session.options),
                                 session.OutputFolder);
    };
    run.ForEachChild(level, node, "convert", prepare,
                     [&](std::int32_t i, const ResourceRecord& r, PreparedWork* prepared) {
                         if (run.SkipPlaceholder(r, "convert")) return;
                         ConvertResource(session, i, run.reporting(),
                                         ConvertGroupPath(session.OutputFolder, node.key, r, session.options),
                                         &run.claims(), prepared);
                     });
    run.ReportFolderDone(node, std::string(rule.doneText), std::string(rule.doneTitle), "converted");
    ui.SetProgressValue(0);
    ui.SetStatusText("Status: ---");
    ReportWarnings(ui, run.summary());
    return run.summary();
}

}  // namespace drossel
