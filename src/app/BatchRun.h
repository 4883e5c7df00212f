#pragma once
// What the batch commands share: the walks over the whole table and over the
// children of one tree node (progress bar, pending events between resources),
// placeholders skipped with their reason, and the end of a folder batch. Only
// the batch commands use it.

#include "app/Batch.h"
#include "app/BatchReporting.h"
#include "app/CommandShell.h"

#include <cstdint>
#include <functional>
#include <string>

namespace drossel {

class Level;
struct ResourceRecord;

// One run of a batch: its reporting interface, its summary, and the files it
// may write (directly in the folder, each once).
class BatchRun {
public:
    BatchRun(UserInterface& ui, const std::string& folder) : ui_(ui), reporting_(ui), claims_(folder) {
        summary().folder = folder;
    }

    UserInterface& ui() { return ui_; }
    BatchReporting& reporting() { return reporting_; }
    OutputClaims& claims() { return claims_; }
    BatchSummary& summary() { return reporting_.summary(); }

    using Step = std::function<void(std::int32_t index, const ResourceRecord& resource)>;
    // Calls `step` for every record in table order and advances the progress bar
    // to the table's size. Both walks end early, before the next resource, once
    // the person has asked to cancel (the summary then says so).
    void ForEachRecord(const Level& level, const Step& step);
    // Calls `step` for every child of the node in tree order, after selecting it
    // (the tree shows it), and advances the progress bar to the number of
    // children. A child whose key names no record is a failure of `verb`.
    void ForEachChild(const Level& level, const GroupNode& node, const std::string& verb, const Step& step);
    // True, after its reason has gone to the status bar, for a placeholder: it
    // holds nothing to `verb`, which is no failure of the run.
    bool SkipPlaceholder(const ResourceRecord& resource, const std::string& verb);
    // The end of a folder batch: its own message when nothing failed, otherwise
    // how many of the node's resources failed; none after a cancel.
    void ReportFolderDone(const GroupNode& node, const std::string& doneText, const std::string& doneTitle,
                          const std::string& verb);

private:
    // Before resource `done` of `count`: false, noted in the summary, once a cancel was asked for.
    bool GoOn(int done, int count);

    UserInterface& ui_;
    BatchReporting reporting_;
    OutputClaims claims_;
};

// The very end of a batch: a status bar shows each warning only until the next
// resource's status replaces it, so when there were any, how many and the last
// one are said once more.
void ReportWarnings(UserInterface& ui, const BatchSummary& summary);

// Locks the controls a batch must keep out of reach, and unlocks them again on
// every way out of the batch.
class BatchLockGuard {
public:
    BatchLockGuard(UserInterface& ui, BatchLock lock) : ui_(ui), lock_(lock) { ui_.LockForBatch(lock_, true); }
    ~BatchLockGuard() { ui_.LockForBatch(lock_, false); }
    BatchLockGuard(const BatchLockGuard&) = delete;
    BatchLockGuard& operator=(const BatchLockGuard&) = delete;

private:
    UserInterface& ui_;
    BatchLock lock_;
};

}  // namespace drossel
