#pragma once
// The desktop program's answer to everything a command asks: real dialogs (through
// the DialogProvider), the status bar text, the progress bar and the event loop.

#include "app/UserInterface.h"

#include <QString>
#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QWidget;

namespace drossel::ui {

class DialogProvider;

// "Desc (*.x)|*.x|Other|*.y;*.z" -> "Desc (*.x);;Other (*.y *.z)".
QString QtFilterOf(const std::string& filter);
// The entry of a Qt filter whose patterns hold "*" and the extension; empty when none does.
QString FilterOfExtension(const QString& filter, const QString& extension);
// The path as chosen when it has an extension; otherwise with the extension of
// the chosen filter's first pattern, or `fallback` when that names none ("*.*").
QString WithExtension(const QString& path, const QString& chosenFilter, const QString& fallback);

class QtUserInterface : public UserInterface {
public:
    QtUserInterface(QWidget* owner, QLabel* statusText, QProgressBar* progress, DialogProvider& dialogs);

    // The main window's part of a batch: which controls to lock, which node to show.
    std::function<void(BatchLock, bool)> onLockForBatch;
    std::function<void(const std::string&)> onSelectTreeNode;
    // Where the file and folder dialogs start: the folder last chosen in each.
    QString openFolder, saveFolder, batchFolder;
    // Set by the window's Cancel button and Escape while a batch runs.
    bool cancelRequested = false;

    void SetStatusText(const std::string& text) override;
    void Warn(const std::string& text) override { SetStatusText(text); }
    std::string AskSavePath(const FileDialogRequest& request) override;
    std::string AskOpenPath(const FileDialogRequest& request) override;
    std::string BrowseForFolder(const std::string& title) override;
    MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons = MessageButtons::Ok) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressValue(int value) override;
    void ProcessPendingEvents() override;
    void Beep() override;
    void FileWritten(const std::string& path) override;
    void LockForBatch(BatchLock lock, bool locked) override;
    void SelectTreeNode(const std::string& key) override;
    bool CancelRequested() override { return cancelRequested; }

private:
    QWidget* owner_;
    QLabel* statusText_;
    QProgressBar* progress_;
    DialogProvider& dialogs_;
};

}  // namespace drossel::ui
