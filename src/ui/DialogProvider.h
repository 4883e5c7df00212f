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
    // Asks before replacing an existing file.
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& proposedName,
                                 const QString& filter) = 0;
    virtual QString ExistingFolder(QWidget* parent, const QString& caption) = 0;
    virtual MessageAnswer Message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                                  MessageButtons buttons) = 0;
};

// Real Qt dialogs, modal to their parent.
class QtDialogProvider : public DialogProvider {
public:
    QString OpenFileName(QWidget* parent, const QString& title, const QString& proposedName,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& title, const QString& proposedName,
                         const QString& filter) override;
    QString ExistingFolder(QWidget* parent, const QString& caption) override;
    MessageAnswer Message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons) override;
};

}  // namespace drossel::ui
