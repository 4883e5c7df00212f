#pragma once
// Plays decoded sounds on the default audio output, one at a time: the sound
// viewer's and the preview's "Play" and "Stop".

#include <QAudio>
#include <QObject>
#include <memory>

class QAudioSink;

namespace drossel {
struct PcmSound;
}

namespace drossel::ui {

class SoundPlayer : public QObject {
    Q_OBJECT

public:
    explicit SoundPlayer(QObject* parent);
    ~SoundPlayer() override;

    // False when the system has no audio output to play on.
    static bool HasOutput();
    // Starts playing the sound, after stopping any other. Throws DrosselError,
    // saying why, when it cannot be played.
    void Play(std::shared_ptr<const PcmSound> sound);
    void Stop();
    bool playing() const { return sink_ != nullptr; }

signals:
    // Playing ended: the sound ran out, was stopped, or the output failed.
    void finished(bool failed);

private:
    void StateChanged(QAudio::State state);
    void End(bool failed);

    QAudioSink* sink_ = nullptr;
    std::shared_ptr<const PcmSound> sound_;
};

}  // namespace drossel::ui
