#pragma once
// The user interface a batch loop hands to the routines it runs. Everything goes
// through to the real interface except a routine's error message: a long run
// must not stop for a click, so the message becomes the status text and the loop
// goes on. The loop reads the counts afterwards.

#include "app/Batch.h"
#include "app/UserInterface.h"

#include <string>
#include <vector>

namespace drossel {

class BatchReporting : public UserInterface {
public:
    explicit BatchReporting(UserInterface& inner) : inner_(inner) {}

    BatchSummary& summary() { return summary_; }

    void SetStatusText(const std::string& text) override { inner_.SetStatusText(text); }
    void Warn(const std::string& text) override;
    std::string AskSavePath(const FileDialogRequest& request) override { return inner_.AskSavePath(request); }
    std::string AskOpenPath(const FileDialogRequest& request) override { return inner_.AskOpenPath(request); }
    std::string BrowseForFolder(const std::string& title) override { return inner_.BrowseForFolder(title); }
    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;
    void SetProgressMaximum(int maximum) override { inner_.SetProgressMaximum(maximum); }
    void SetProgressValue(int value) override { inner_.SetProgressValue(value); }
    void ProcessPendingEvents() override { inner_.ProcessPendingEvents(); }
    void Beep() override { inner_.Beep(); }
    void FileWritten(const std::string& path) override;
    void LockForBatch(BatchLock lock, bool locked) override { inner_.LockForBatch(lock, locked); }
    void SelectTreeNode(const std::string& key) override { inner_.SelectTreeNode(key); }
    bool CancelRequested() override { return inner_.CancelRequested(); }

private:
    UserInterface& inner_;
    BatchSummary summary_;
};

}  // namespace drossel
