#include "app/Session.h"

namespace drossel {

void Session::SetOutputFolder(const std::string& folder) {
    OutputFolder = folder;
    if (OutputFolder.empty() || OutputFolder.back() != '/') OutputFolder += '/';
}

}  // namespace drossel
