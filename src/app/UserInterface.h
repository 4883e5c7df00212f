#pragma once
// Everything a command may ask of the person in front of the program. The desktop
// program answers with real dialogs, the command-line program from its arguments,
// and tests from a script.

#include <string>

namespace drossel {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Which controls a batch command locks while it runs: a whole-file batch locks the
// File and Edit menus, the tree and the file toolbar buttons; a folder batch locks
// the tree and the whole toolbar.
enum class BatchLock { WholeFile, Folder };

struct FileDialogRequest {
    std::string title;
    std::string fileName;  // proposed name; may be empty
    std::string filter;    // "description|pattern|description|pattern..."
    // Save dialogs: the extension whose filter is shown first, and the one a
    // name typed without an extension gets when the chosen filter names none
    // (empty: the chosen filter's own).
    std::string defaultExtension{};
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual void SetStatusText(const std::string& text) = 0;
    // Something the person should know although the command went on: the
    // desktop program shows it in the status bar, drossel-cli on stderr.
    virtual void Warn(const std::string& text) = 0;
    // Both return the chosen path, or empty text when the person cancelled.
    virtual std::string AskSavePath(const FileDialogRequest& request) = 0;
    virtual std::string AskOpenPath(const FileDialogRequest& request) = 0;
    // The chosen folder's full path, or empty text. An empty title means "Select Directory".
    virtual std::string BrowseForFolder(const std::string& title) = 0;
    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                                      MessageButtons buttons = MessageButtons::Ok) = 0;
    virtual void SetProgressMaximum(int maximum) = 0;
    virtual void SetProgressValue(int value) = 0;
    virtual void ProcessPendingEvents() = 0;
    virtual void Beep() = 0;
    // Called once for every output file a command has written completely.
    virtual void FileWritten(const std::string& path) = 0;
    // Locks (true) or unlocks (false) the controls a batch command must keep
    // out of reach while it runs.
    virtual void LockForBatch(BatchLock lock, bool locked) = 0;
    // Shows the tree node with this key as selected (folder batches walk the tree).
    virtual void SelectTreeNode(const std::string& key) = 0;
    // True once the person has asked the running batch to stop. The batch walks
    // ask between resources, so a batch ends after the resource it is working
    // on, with every file written so far whole. A front end that cannot be
    // asked (drossel-cli) never cancels.
    virtual bool CancelRequested() { return false; }
};

inline constexpr const char* kProgramTitle = "Drossel";

}  // namespace drossel
