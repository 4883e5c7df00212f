#include "extract/BatchSteps.h"

#include "container/RoutineFailure.h"
#include "container/Session.h"

namespace drossel {

void ForEachRecord(Session& session, UserInterface& ui, const ResourceStep& step) {
    const std::int32_t count = session.table.count();
    ui.SetProgressMaximum(count);
    ui.SetProgressValue(0);
    for (std::int32_t i = 0; i < count; ++i) {
        ui.ProcessPendingEvents();
        step(i, session.table.at(i));
        ui.SetProgressValue(i + 1);
        ui.ProcessPendingEvents();
    }
}

void ForEachChild(Session& session, BatchReporting& batch, UserInterface& ui, const GroupNode& node,
                  const std::string& verb, const ResourceStep& step) {
    const auto count = static_cast<int>(node.children.size());
    ui.SetProgressMaximum(count);
    ui.SetProgressValue(0);
    for (int k = 0; k < count; ++k) {
        ui.ProcessPendingEvents();
        const ResourceNode& child = node.children[static_cast<std::size_t>(k)];
        const auto index = IndexOfNodeKey(child.key);
        if (!index || !session.table.Contains(*index)) {
            batch.ShowMessage("Cannot " + verb + " " + child.text + ": the tree node " + child.key +
                                  " names no resource of the table",
                              kProgramTitle, MessageIcon::Critical, MessageButtons::Ok);
            ui.SetStatusText("NONE");
        } else {
            session.selectedIndex = *index;
            ui.SelectTreeNode(child.key);
            step(*index, session.table.at(*index));
        }
        ui.SetProgressValue(k + 1);
        ui.ProcessPendingEvents();
    }
}

bool SkipPlaceholder(BatchReporting& batch, const ResourceRecord& record, const std::string& verb) {
    if (!IsPlaceholder(record)) return false;
    batch.SetStatusText("Cannot " + verb + " " + record.name + ": " + PlaceholderReason());
    ++batch.summary().skipped;
    return true;
}

}  // namespace drossel
