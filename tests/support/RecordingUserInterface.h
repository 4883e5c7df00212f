#pragma once
// A UserInterface for tests: dialogs are answered from queues the test fills
// (an empty queue answers "cancelled", and Cancel to a question), and every
// status text, warning, message, dialog request and written file is kept.

#include "app/NullUserInterface.h"

#include <algorithm>
#include <cstdint>
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

class RecordingUserInterface : public NullUserInterface {
public:
    std::deque<std::string> savePaths, openPaths, folders;
    std::deque<MessageAnswer> answers;

    std::vector<std::string> statusTexts, warnings, writtenFiles, selectedNodes;
    std::vector<RecordedMessage> messages;
    std::vector<RecordedDialog> dialogs;
    std::vector<std::pair<BatchLock, bool>> locks;
    int progressMaximum = 100, progressValue = 0, highestProgress = 0;
    std::size_t cancelAfterFiles = SIZE_MAX;  // asks to cancel once this many files are written

    std::string status() const { return statusTexts.empty() ? std::string() : statusTexts.back(); }
    bool Showed(const std::string& text) const {
        return std::find(statusTexts.begin(), statusTexts.end(), text) != statusTexts.end();
    }

    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void Warn(const std::string& text) override { warnings.push_back(text); }
    std::string AskSavePath(const FileDialogRequest& r) override { return Ask(Kind::Save, r, savePaths); }
    std::string AskOpenPath(const FileDialogRequest& r) override { return Ask(Kind::Open, r, openPaths); }
    std::string BrowseForFolder(const std::string& title) override {
        return Ask(Kind::Folder, {title, "", ""}, folders);
    }
    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        messages.push_back({text, title, icon, buttons});
        if (answers.empty()) return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void SetProgressValue(int value) override {
        progressValue = value;
        highestProgress = std::max(highestProgress, value);
    }
    void FileWritten(const std::string& path) override { writtenFiles.push_back(path); }
    void LockForBatch(BatchLock lock, bool locked) override { locks.emplace_back(lock, locked); }
    void SelectTreeNode(const std::string& key) override { selectedNodes.push_back(key); }
    bool CancelRequested() override { return writtenFiles.size() >= cancelAfterFiles; }

private:
    using Kind = RecordedDialog::Kind;
    std::string Ask(Kind kind, const FileDialogRequest& request, std::deque<std::string>& queue) {
        dialogs.push_back({kind, request});
        if (queue.empty()) return {};
        std::string answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

}  // namespace drossel::testing
