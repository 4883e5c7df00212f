#pragma once
// SoundViewerWindow, "View Sound File": plays the selected sound from the WAV
// file the converter writes for it, kept in the system's temporary folder while
// the window is open, and shows its format and length. It does not block the
// main window and follows the sound selected in its tree; "Next" steps to the
// next sound of the table.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTemporaryFile;

namespace drossel {
class UserInterface;
struct PcmSound;
struct Session;
}  // namespace drossel

namespace drossel::ui {

class SoundPlayer;

class SoundViewerWindow : public QDialog {
    Q_OBJECT

public:
    SoundViewerWindow(Session& session, UserInterface& ui, QWidget* parent);
    ~SoundViewerWindow() override;

    // Loads the selected resource, which must be a sound, and shows the window.
    void ShowSelected();
    // Takes up the sound at this index when the window is open and it is
    // another sound than the one shown.
    void Follow(std::int32_t index);
    // The temporary WAV file of the sound; empty when there is none.
    QString soundFilePath() const;
    // Called with the index of the sound "Next" has stepped to.
    std::function<void(std::int32_t)> onStepped;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // Throws when the sound cannot be read or written; the window then stays as it was.
    void Load(std::int32_t index);
    void Play();
    void Stop();
    void Next();
    // The status bar and the window's own note.
    void Report(const std::string& what);

    Session& session_;
    UserInterface& ui_;
    std::int32_t index_ = -1;
    QLabel* name_ = nullptr;
    QLabel* facts_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* next_ = nullptr;
    std::unique_ptr<QTemporaryFile> wav_;
    std::shared_ptr<const PcmSound> pcm_;
    SoundPlayer* player_ = nullptr;
};

}  // namespace drossel::ui
