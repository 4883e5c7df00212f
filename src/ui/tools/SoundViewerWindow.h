#pragma once
// SoundViewerWindow, "View Sound File": plays the selected sound from the WAV
// file the converter writes for it, kept in the system's temporary folder while
// the window is open. It does not block the main window, so "Next" takes up
// whatever sound is selected in the tree by then.

#include <QAudio>
#include <QDialog>
#include <cstdint>
#include <memory>

class QAudioSink;
class QLabel;
class QPushButton;
class QTemporaryFile;

namespace drossel {
class UserInterface;
struct Session;
}  // namespace drossel

namespace drossel::ui {

class SoundViewerWindow : public QDialog {
    Q_OBJECT

public:
    SoundViewerWindow(Session& session, UserInterface& ui, QWidget* parent);
    ~SoundViewerWindow() override;

    // Loads the selected resource, which must be a sound, and shows the window.
    void ShowSelected();
    // The temporary WAV file of the sound; empty when there is none.
    QString soundFilePath() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // Throws when the sound cannot be read or written; the window then stays as it was.
    void Load(std::int32_t index);
    void Play();
    void Stop();
    void Next();
    void StopPlayback();
    void SinkStateChanged(QAudio::State state);
    void Report(const std::string& what);

    Session& session_;
    UserInterface& ui_;
    QLabel* name_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* next_ = nullptr;
    std::unique_ptr<QTemporaryFile> wav_;
    QAudioSink* sink_ = nullptr;
};

}  // namespace drossel::ui
