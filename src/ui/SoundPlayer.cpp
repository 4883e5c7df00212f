#include "ui/SoundPlayer.h"

#include "io/Error.h"
#include "sound/PcmDecode.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <utility>

namespace drossel::ui {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() {
    if (sink_ != nullptr) sink_->disconnect(this);
}

bool SoundPlayer::HasOutput() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void SoundPlayer::Play(std::shared_ptr<const PcmSound> sound) {
    Stop();
    if (!HasOutput()) throw DrosselError("there is no audio output");
    if (!sound || sound->samples.empty()) throw DrosselError("it holds no sound data");
    QAudioFormat format;
    format.setSampleRate(sound->sampleRate);
    format.setChannelCount(sound->channels);
    format.setSampleFormat(QAudioFormat::Int16);
    sound_ = std::move(sound);
    sink_ = new QAudioSink(QMediaDevices::defaultAudioOutput(), format, this);
    // The buffer belongs to the sink and reads the samples the player keeps.
    auto* buffer = new QBuffer(sink_);
    buffer->setData(QByteArray::fromRawData(reinterpret_cast<const char*>(sound_->samples.data()),
                                            static_cast<qsizetype>(sound_->samples.size() * sizeof(std::int16_t))));
    buffer->open(QIODevice::ReadOnly);
    connect(sink_, &QAudioSink::stateChanged, this, &SoundPlayer::StateChanged);
    sink_->start(buffer);
    if (sink_->error() != QAudio::NoError) {
        End(true);
        throw DrosselError("the audio output refused it");
    }
}

void SoundPlayer::Stop() {
    if (sink_ != nullptr) End(false);
}

void SoundPlayer::StateChanged(QAudio::State state) {
    if (sink_ == nullptr) return;
    if (state == QAudio::IdleState) {
        End(false);  // the buffer has run out: the sound is over
    } else if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        End(true);
    }
}

void SoundPlayer::End(bool failed) {
    QAudioSink* sink = std::exchange(sink_, nullptr);
    sink->disconnect(this);
    sink->stop();
    // This may run inside the sink's own signal; the samples go with the sink.
    connect(sink, &QObject::destroyed, [sound = std::exchange(sound_, nullptr)] {});
    sink->deleteLater();
    emit finished(failed);
}

}  // namespace drossel::ui
