#pragma once
// The one place where a failing unpack or convert routine is reported. A routine
// runs its work inside RunReported; a DrosselError (or any other exception of
// the standard library, such as a failed allocation) ends the work and becomes a
// critical "Drossel" message that names what was being done and why it failed.
// During a batch the message reaches the status bar instead (BatchReporting).

#include "container/ResourceTable.h"

#include <functional>
#include <string>

namespace drossel {

class UserInterface;

// Returns false when `body` failed; the message has been shown then.
bool RunReported(UserInterface& ui, const std::string& what, const std::function<void()>& body);

// A resource whose descriptor size is 0 is a placeholder: its data lives in
// another level file, and what lies at its data offset belongs to something else.
inline bool IsPlaceholder(const ResourceRecord& record) {
    return record.size == 0;
}
std::string PlaceholderReason();
// Throws DrosselError with PlaceholderReason() for a placeholder.
void RefusePlaceholder(const ResourceRecord& record);

}  // namespace drossel
