#pragma once
// The one way the desktop program puts a dialog in front of the person: file and
// folder choosers and message boxes. The window and QtUserInterface only talk to
// this interface, so tests can answer every dialog from a script.

#include "app/UserInterface.h"

#include <QString>

class QWidget;

namespace drossel::ui {

class DialogProvider {
public:
    virtual ~DialogProvider() = default;

    // filter is in Qt's form ("Desc (*.x);;Other (*.y)"). Each returns the chosen
    // path, or an empty string when the person cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& proposedName,
                                 const QString& filter) = 0;
    // Asks before replacing an existing file. `selectedFilter` holds the filter
    // shown first and receives the one chosen.
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& proposedName,
                                 const QString& filter, QString* selectedFilter) = 0;
    // The chooser starts in `start` when it is not empty.
    virtual QString ExistingFolder(QWidget* parent, const QString& caption, const QString& start) = 0;
    virtual MessageAnswer Message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                                  MessageButtons buttons) = 0;
    // Shows the folder in the system's file manager.
    virtual void ShowFolder(const QString& folder) = 0;
};

// Real Qt dialogs, modal to their parent.
class QtDialogProvider : public DialogProvider {
public:
    QString OpenFileName(QWidget* parent, const QString& title, const QString& proposedName,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& proposedName, const QString& filter,
                         QString* selectedFilter) override;
    QString ExistingFolder(QWidget* parent, const QString& caption, const QString& start) override;
    MessageAnswer Message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons) override;
    void ShowFolder(const QString& folder) override;
};

}  // namespace drossel::ui
