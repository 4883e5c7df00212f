#pragma once
// A UserInterface that shows nothing and cancels every dialog: for benchmarks,
// fuzzing and other callers that only want the work done.

#include "app/UserInterface.h"

namespace drossel {

class NullUserInterface : public UserInterface {
public:
    void SetStatusText(const std::string&) override {}
    void Warn(const std::string&) override {}
    std::string AskSavePath(const FileDialogRequest&) override { return {}; }
    std::string AskOpenPath(const FileDialogRequest&) override { return {}; }
    std::string BrowseForFolder(const std::string&) override { return {}; }
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon, MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    void SetProgressMaximum(int) override {}
    void SetProgressValue(int) override {}
    void ProcessPendingEvents() override {}
    void Beep() override {}
    void FileWritten(const std::string&) override {}
    void LockForBatch(BatchLock, bool) override {}
    void SelectTreeNode(const std::string&) override {}
};

}  // namespace drossel
