#pragma once
// The UserInterface of drossel-cli: no dialog is ever shown. Folder and question
// prompts are answered from the command line, messages go to stderr, and every
// written file is printed on stdout.

#include "app/UserInterface.h"

#include <string>

namespace drossel::cli {

enum class Verbosity { Quiet, Normal, Verbose };

class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(Verbosity verbosity);

    std::string folderAnswer;                          // what the folder browser "chooses"
    MessageAnswer questionAnswer = MessageAnswer::No;  // answer to Yes/No/Cancel questions

    // True once a critical message (an error or a refusal) has been shown.
    bool failed() const { return failed_; }
    const std::string& lastStatus() const { return status_; }

    void SetStatusText(const std::string& text) override;
    void Warn(const std::string& text) override;
    std::string AskSavePath(const FileDialogRequest& request) override;
    std::string AskOpenPath(const FileDialogRequest& request) override;
    std::string BrowseForFolder(const std::string& title) override;
    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressValue(int value) override;
    void ProcessPendingEvents() override {}
    void Beep() override {}
    void FileWritten(const std::string& path) override;
    void LockForBatch(BatchLock, bool) override {}
    void SelectTreeNode(const std::string&) override {}

private:
    Verbosity verbosity_;
    bool showProgress_;
    bool failed_ = false;
    std::string status_;
    int progressMaximum_ = 100;
    int lastShownPercent_ = -1;
};

}  // namespace drossel::cli
