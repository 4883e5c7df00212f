#pragma once
// The walks the batch commands share: over the whole table, and over the
// children of one tree node, with the progress bar, the pending events between
// resources, and placeholders skipped with their reason. Only the batch commands
// use them.

#include "container/ResourceTree.h"
#include "extract/BatchReporting.h"

#include <cstdint>
#include <functional>
#include <string>

namespace drossel {

struct Session;
struct ResourceRecord;

using ResourceStep = std::function<void(std::int32_t index, const ResourceRecord& record)>;

// Calls `step` for every record in table order, between pending events, and
// advances the progress bar to the table's size.
void ForEachRecord(Session& session, UserInterface& ui, const ResourceStep& step);

// Calls `step` for every child of the node in tree order, after selecting it
// (selectedIndex and the tree), and advances the progress bar to the number of
// children. A child whose key names no record is reported as a failure of
// `verb` ("unpack", "convert") and shows "NONE".
void ForEachChild(Session& session, BatchReporting& batch, UserInterface& ui, const GroupNode& node,
                  const std::string& verb, const ResourceStep& step);

// True, after its reason has gone to the status bar, for a placeholder: it holds
// nothing to `verb`, which is no failure of the run.
bool SkipPlaceholder(BatchReporting& batch, const ResourceRecord& record, const std::string& verb);

}  // namespace drossel
