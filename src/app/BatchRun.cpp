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

bool BatchRun::SkipPlaceholder(const ResourceRecord& resource, const std::string& verb) {
    if (!resource.IsPlaceholder()) return false;
    ui_.SetStatusText("Cannot " + verb + " " + resource.name + ": " + PlaceholderReason());
    ++summary().skipped;
    return true;
}

void BatchRun::ReportFolderDone(const GroupNode& node, const std::string& doneText, const std::string& doneTitle,
                                const std::string& verb) {
    const std::size_t failed = summary().failures.size();
    if (failed == 0) {
        ui_.ShowMessage(doneText, doneTitle, MessageIcon::Information);
    } else {
        ui_.ShowMessage(std::to_string(failed) + " of " + std::to_string(node.children.size()) +
                            " resources could not be " + verb + ".",
                        kProgramTitle, MessageIcon::Critical);
    }
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
