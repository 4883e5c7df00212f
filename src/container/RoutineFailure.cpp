#include "container/RoutineFailure.h"

#include "container/Error.h"
#include "container/UserInterface.h"

#include <exception>

namespace drossel {

bool RunReported(UserInterface& ui, const std::string& what, const std::function<void()>& body) {
    std::string reason;
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        reason = e.what();
    }
    ui.ShowMessage(what + ": " + reason, kProgramTitle, MessageIcon::Critical);
    return false;
}

std::string PlaceholderReason() {
    return "it has no data in this level file (its size is 0; the data lives in another level file)";
}

void RefusePlaceholder(const ResourceRecord& record) {
    if (IsPlaceholder(record)) throw DrosselError(PlaceholderReason());
}

}  // namespace drossel
