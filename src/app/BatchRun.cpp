#include "app/BatchRun.h"

#include "level/Level.h"

#include <string_view>

namespace drossel {
namespace {

constexpr std::string_view kStatusPrefix = "Status: ";

}  // namespace

void BatchRun::ForEachRecord(const Level& level, const Step& step) {
    const std::int32_t count = level.count();
    ui_.SetProgressMaximum(count);
    ui_.SetProgressValue(0);
    for (std::int32_t i = 0; i < count; ++i) {
        ui_.ProcessPendingEvents();
        if (!GoOn(i, count)) return;
        step(i, level.at(i));
        ui_.SetProgressValue(i + 1);
        ui_.ProcessPendingEvents();
    }
}

void BatchRun::ForEachChild(const Level& level, const GroupNode& node, const std::string& verb, const Step& step) {
    const auto count = static_cast<int>(node.children.size());
    ui_.SetProgressMaximum(count);
    ui_.SetProgressValue(0);
    for (int k = 0; k < count; ++k) {
        ui_.ProcessPendingEvents();
        if (!GoOn(k, count)) return;
        const ResourceNode& child = node.children[static_cast<std::size_t>(k)];
        const auto index = IndexOfNodeKey(child.key);
        if (!index || !level.Contains(*index)) {
            reporting_.ShowMessage("Cannot " + verb + " " + child.text + ": the tree node " + child.key +
                                       " names no resource of the table",
                                   kProgramTitle, MessageIcon::Critical, MessageButtons::Ok);
            ui_.SetStatusText("NONE");
        } else {
            ui_.SelectTreeNode(child.key);
            step(*index, level.at(*index));
        }
        ui_.SetProgressValue(k + 1);
        ui_.ProcessPendingEvents();
    }
}

bool BatchRun::GoOn(int done, int count) {
    BatchSummary& s = summary();
    s.walked = done;
    s.toWalk = count;
    s.cancelled = ui_.CancelRequested();
    if (!s.cancelled) s.walked = done + 1;  // this one is about to be done
    return !s.cancelled;
}

bool BatchRun::SkipPlaceholder(const ResourceRecord& resource, const std::string& verb) {
    if (!resource.IsPlaceholder()) return false;
    ui_.SetStatusText("Cannot " + verb + " " + resource.name + ": " + PlaceholderReason());
    ++summary().skipped;
    return true;
}

void BatchRun::ReportFolderDone(const GroupNode& node, const std::string& doneText, const std::string& doneTitle,
                                const std::string& verb) {
    if (summary().cancelled) return;  // the status bar's summary says how far it got
    const std::size_t failed = summary().failures.size();
    if (failed == 0) {
        ui_.ShowMessage(doneText, doneTitle, MessageIcon::Information);
    } else {
        ui_.ShowMessage(std::to_string(failed) + " of " + std::to_string(node.children.size()) +
                            " resources could not be " + verb + ".",
                        kProgramTitle, MessageIcon::Critical);
    }
}

std::string BatchSummaryText(const BatchSummary& s) {
    std::string text = s.cancelled ? "Status: Cancelled after " + std::to_string(s.walked) + " of " +
                                         std::to_string(s.toWalk) + " resources: "
                                   : std::string("Status: Done: ");
    text += std::to_string(s.filesWritten) + (s.filesWritten == 1 ? " file" : " files") + " written, " +
            std::to_string(s.skipped) + " skipped, " + std::to_string(s.failures.size()) + " failed";
    if (!s.warnings.empty()) text += ", " + std::to_string(s.warnings.size()) + " with warnings";
    return text;
}

void ReportWarnings(UserInterface& ui, const BatchSummary& summary) {
    const auto& warnings = summary.warnings;
    if (warnings.empty()) return;
    std::string last = warnings.back();
    if (last.starts_with(kStatusPrefix)) last.erase(0, kStatusPrefix.size());
    ui.Warn(std::string(kStatusPrefix) + std::to_string(warnings.size()) +
            (warnings.size() == 1 ? " warning" : " warnings") + " in this run, the last: " + last);
}

}  // namespace drossel
