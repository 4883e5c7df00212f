#pragma once
// A UserInterface for tests: dialogs are answered from queues the test fills,
// and every status text, message, dialog request and written file is kept.

#include "container/UserInterface.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace drossel::testing {

struct RecordedMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
    MessageButtons buttons;
};

struct RecordedDialog {
    enum class Kind { Save, Open, Folder } kind;
    FileDialogRequest request;  // for Folder: request.title holds the caption
};

class RecordingUserInterface : public UserInterface {
public:
    // Answers, consumed in order; an empty queue answers "cancelled" (empty text)
    // for dialogs and Ok (or Cancel for questions) for messages.
    std::deque<std::string> savePaths;
    std::deque<std::string> openPaths;
    std::deque<std::string> folders;
    std::deque<MessageAnswer> answers;

    std::vector<std::string> statusTexts;
    std::vector<RecordedMessage> messages;
    std::vector<RecordedDialog> dialogs;
    std::vector<std::string> writtenFiles;
    int progressMaximum = 100;
    int progressValue = 0;
    int progressUpdates = 0;
    int highestProgress = 0;
    int pendingEventCalls = 0;
    int beeps = 0;
    // Every LockForBatch call, and the keys SelectTreeNode was given, in order.
    std::vector<std::pair<BatchLock, bool>> locks;
    std::vector<std::string> selectedNodes;

    std::string status() const { return statusTexts.empty() ? std::string() : statusTexts.back(); }

    void SetStatusText(const std::string& text) override;
    std::string AskSavePath(const FileDialogRequest& request) override;
    std::string AskOpenPath(const FileDialogRequest& request) override;
    std::string BrowseForFolder(const std::string& title) override;
    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressValue(int value) override;
    void ProcessPendingEvents() override { ++pendingEventCalls; }
    void Beep() override { ++beeps; }
    void FileWritten(const std::string& path) override { writtenFiles.push_back(path); }
    void LockForBatch(BatchLock lock, bool locked) override { locks.emplace_back(lock, locked); }
    void SelectTreeNode(const std::string& key) override { selectedNodes.push_back(key); }
};

}  // namespace drossel::testing
