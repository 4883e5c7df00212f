#pragma once
// SoundReplaceWindow, "Replace Sound file...": puts the samples of a WAV file,
// in the sound's own format, into the data of the sound that was selected when
// the window opened, which it names with its format. It does not block the main
// window; the main window closes it with the level.

#include "app/SoundTools.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace drossel {
class UserInterface;
struct Session;
}  // namespace drossel

namespace drossel::ui {

class SoundReplaceWindow : public QDialog {
    Q_OBJECT

public:
    SoundReplaceWindow(Session& session, UserInterface& ui, QWidget* parent);

    // Shows the window for this sound.
    void ShowSlot(const SoundSlot& slot);

private:
    void Browse();
    void Replace();

    Session& session_;
    UserInterface& ui_;
    SoundSlot slot_;
    QLineEdit* path_ = nullptr;
    QLabel* capacity_ = nullptr;
    QLabel* target_ = nullptr;  // the sound's name and format
};

}  // namespace drossel::ui
