#include "ui/tools/SoundViewerWindow.h"

#include "app/Session.h"
#include "app/SoundTools.h"
#include "app/UserInterface.h"
#include "convert/Converters.h"
#include "io/Error.h"
#include "sound/PcmDecode.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QDir>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMediaDevices>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTemporaryFile>
#include <QVBoxLayout>
#include <utility>

namespace drossel::ui {
namespace {

// A loudspeaker with two sound waves.
QPixmap Loudspeaker(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(90, 90, 100));
    p.drawRect(QRectF(6, 18, 9, 12));
    QPainterPath cone;
    cone.moveTo(15, 18);
    cone.lineTo(27, 8);
    cone.lineTo(27, 40);
    cone.lineTo(15, 30);
    cone.closeSubpath();
    p.setBrush(QColor(45, 110, 200));
    p.drawPath(cone);
    p.setPen(QPen(QColor(45, 110, 200), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const double radius : {8.0, 15.0}) {
        p.drawArc(QRectF(24 - radius, 24 - radius, 2 * radius, 2 * radius), -45 * 16, 90 * 16);
    }
    return pixmap;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

SoundViewerWindow::SoundViewerWindow(Session& session, UserInterface& ui, QWidget* parent)
    : QDialog(parent), session_(session), ui_(ui) {
    setObjectName(QStringLiteral("FrmSoundFile"));
    setWindowTitle(QStringLiteral("View Sound File"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(Loudspeaker(48));
    name_ = new QLabel(this);
    name_->setObjectName(QStringLiteral("Label1"));
    name_->setMinimumWidth(200);
    name_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    play_ = Button(this, "Command1", "Play");
    QPushButton* stop = Button(this, "Command2", "Stop");
    next_ = Button(this, "Command3", "Next");
    connect(play_, &QPushButton::clicked, this, [this] { Play(); });
    connect(stop, &QPushButton::clicked, this, [this] { Stop(); });
    connect(next_, &QPushButton::clicked, this, [this] { Next(); });

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(8);
    top->addWidget(name_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(stop);
    buttons->addStretch();
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

SoundViewerWindow::~SoundViewerWindow() {
    StopPlayback();
}

QString SoundViewerWindow::soundFilePath() const {
    return wav_ ? wav_->fileName() : QString();
}

void SoundViewerWindow::ShowSelected() {
    StopPlayback();
    next_->setEnabled(true);
    const ResourceRecord* sound = session_.Selected();
    if (sound != nullptr) {
        try {
            Load(session_.selectedIndex);
        } catch (const std::exception& e) {
            // The window still opens, for "Next".
            wav_.reset();
            name_->setText(QString::fromStdString(SoundLabel(*sound)));
            Report("cannot read " + SoundLabel(*sound) + ": " + e.what());
        }
    }
    show();
    raise();
    activateWindow();
}

void SoundViewerWindow::Load(std::int32_t index) {
    const Level& level = session_.level.value();
    const ResourceRecord& sound = level.at(index);
    const std::vector<std::uint8_t> bytes = SoundWavOf(level, sound);
    auto wav = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/drossel-XXXXXX.wav"));
    const auto size = static_cast<qint64>(bytes.size());
    if (!wav->open() || wav->write(reinterpret_cast<const char*>(bytes.data()), size) != size || !wav->flush()) {
        throw DrosselError("cannot write " + wav->fileName().toStdString() + ": " + wav->errorString().toStdString());
    }
    // Asking for the name gives the file one in the temporary folder (Qt may
    // create it unnamed), so it is there to look at while the window is open.
    wav->fileName();
    wav_ = std::move(wav);
    name_->setText(QString::fromStdString(SoundLabel(sound)));
}

void SoundViewerWindow::Next() {
    const ResourceRecord* record = session_.Selected();
    if (record == nullptr || record->tag != "SNDD") {
        ui_.Beep();
        return;
    }
    try {
        Load(session_.selectedIndex);
    } catch (const std::exception&) {
        ui_.Beep();
    }
}

void SoundViewerWindow::Play() {
    // "Next" waits for "Stop", even when the sound has ended by itself.
    next_->setEnabled(false);
    StopPlayback();
    if (QMediaDevices::audioOutputs().isEmpty()) {
        Report("no audio output to play " + name_->text().toStdString() + " on");
        return;
    }
    try {
        if (!wav_ || !wav_->seek(0)) throw DrosselError("it could not be read");
        const QByteArray wav = wav_->readAll();
        const PcmSound pcm = DecodeWav(
            std::span(reinterpret_cast<const std::uint8_t*>(wav.constData()), static_cast<std::size_t>(wav.size())));
        if (pcm.samples.empty()) throw DrosselError("it holds no sound data");

        QAudioFormat format;
        format.setSampleRate(pcm.sampleRate);
        format.setChannelCount(pcm.channels);
        format.setSampleFormat(QAudioFormat::Int16);
        sink_ = new QAudioSink(QMediaDevices::defaultAudioOutput(), format, this);
        // The buffer belongs to the sink, so it lives exactly as long as the sink reads it.
        auto* buffer = new QBuffer(sink_);
        buffer->setData(reinterpret_cast<const char*>(pcm.samples.data()),
                        static_cast<qsizetype>(pcm.samples.size() * sizeof(std::int16_t)));
        buffer->open(QIODevice::ReadOnly);
        connect(sink_, &QAudioSink::stateChanged, this, &SoundViewerWindow::SinkStateChanged);
        sink_->start(buffer);
        if (sink_->error() != QAudio::NoError) throw DrosselError("the audio output refused it");
        Report("playing " + name_->text().toStdString());
    } catch (const std::exception& e) {
        StopPlayback();
        Report("cannot play " + name_->text().toStdString() + ": " + e.what());
    }
}

void SoundViewerWindow::SinkStateChanged(QAudio::State state) {
    if (sink_ == nullptr) return;
    if (state == QAudio::IdleState) {
        // The buffer has run out: the sound is over.
        StopPlayback();
    } else if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
        StopPlayback();
        Report("the audio output failed while playing " + name_->text().toStdString());
    }
}

void SoundViewerWindow::Stop() {
    next_->setEnabled(true);
    StopPlayback();
}

void SoundViewerWindow::StopPlayback() {
    if (sink_ == nullptr) return;
    QAudioSink* sink = std::exchange(sink_, nullptr);
    sink->disconnect(this);
    sink->stop();
    // This may run inside the sink's own signal.
    sink->deleteLater();
}

void SoundViewerWindow::Report(const std::string& what) {
    ui_.SetStatusText("Status: " + what);
}

void SoundViewerWindow::hideEvent(QHideEvent* event) {
    // Closing, not minimizing, ends the sound and removes its temporary file.
    if (!event->spontaneous()) {
        StopPlayback();
        wav_.reset();
    }
    QDialog::hideEvent(event);
}

}  // namespace drossel::ui
