#include "app/BatchRun.h"

#include "app/WorkAhead.h"
#include "level/Level.h"

#include <chrono>
#include <deque>
#include <future>

#include <string_view>

namespace drossel {
namespace {

constexpr std::string_view kStatusPrefix = "Status: ";

}  // namespace

void BatchRun::Walk(const Level& level, int count, const std::function<std::optional<std::int32_t>(int)>& indexAt,
                    const Prepare& prepare, const std::function<void(int, PreparedWork*)>& step) {
    ui_.SetProgressMaximum(count);
    ui_.SetProgressValue(0);
    using Ready = std::future<std::optional<PreparedWork>>;
    std::deque<std::optional<Ready>> ahead;  // positions `taken` onwards
    int submitted = 0;
    // Declared after `ahead`: gone first, so that no work outlives the walk.
    WorkAhead pool(BatchThreads(threads_));
    for (int k = 0; k < count; ++k) {
        ui_.ProcessPendingEvents();
        if (!GoOn(k, count)) return;
        for (; submitted < count && submitted <= k + static_cast<int>(pool.Ahead()); ++submitted) {
            const auto index = indexAt(submitted);
            if (!index) {
                ahead.emplace_back();
                continue;
            }
            ahead.emplace_back(pool.Submit<std::optional<PreparedWork>>(
                [&level, &prepare, i = *index] { return prepare(i, level.at(i)); }));
        }
        std::optional<PreparedWork> prepared;
        if (ahead.front()) {
            Ready& ready = *ahead.front();
            // The window repaints, and a cancel is heard, while the work is done.
            while (ready.wait_for(std::chrono::milliseconds(20)) == std::future_status::timeout) {
                ui_.ProcessPendingEvents();
            }
            prepared = ready.get();
        }
        ahead.pop_front();
        step(k, prepared ? &*prepared : nullptr);
        ui_.SetProgressValue(k + 1);
        ui_.ProcessPendingEvents();
    }
}

void BatchRun::ForEachRecord(const Level& level, const Prepare& prepare, const Step& step) {
    Walk(
        level, level.count(), [](int k) { return std::optional<std::int32_t>(k); }, prepare,
        [&](int k, PreparedWork* prepared) { step(k, level.at(k), prepared); });
}

void BatchRun::ForEachChild(const Level& level, const GroupNode& node, const std::string& verb, const Prepare& prepare,
                            const Step& step) {
    const auto indexAt = [&](int k) -> std::optional<std::int32_t> {
        const auto index = IndexOfNodeKey(node.children[static_cast<std::size_t>(k)].key());
        if (!index || !level.Contains(*index)) return std::nullopt;
        return index;
    };
    Walk(level, static_cast<int>(node.children.size()), indexAt, prepare, [&](int k, PreparedWork* prepared) {
        const ResourceNode& child = node.children[static_cast<std::size_t>(k)];
        const auto index = indexAt(k);
        if (!index) {
            reporting_.ShowMessage("Cannot " + verb + " " + std::string(child.text) + ": the tree node " + child.key() +
                                       " names no resource of the table",
                                   kProgramTitle, MessageIcon::Critical, MessageButtons::Ok);
            ui_.SetStatusText("NONE");
        } else {
            ui_.SelectTreeNode(child.key());
            step(*index, level.at(*index), prepared);
        }
    });
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
    ui_.SetStatusText("Cannot " + verb + " " + std::string(resource.name) + ": " + PlaceholderReason());
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
