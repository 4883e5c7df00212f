#include "ui/tools/SoundViewerWindow.h"

#include "app/Preview.h"
#include "app/Session.h"
#include "app/SoundTools.h"
#include "app/UserInterface.h"
#include "convert/Converters.h"
#include "io/Error.h"
#include "ui/SoundPlayer.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
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
    facts_ = new QLabel(this);
    facts_->setObjectName(QStringLiteral("Label2"));
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("Label3"));
    note_->setWordWrap(true);
    player_ = new SoundPlayer(this);
    // "Next" waits while a sound plays, and no longer than that.
    connect(player_, &SoundPlayer::finished, this, [this](bool failed) {
        next_->setEnabled(true);
        if (failed) Report("the audio output failed while playing " + name_->text().toStdString());
    });

    play_ = Button(this, "Command1", "Play");
    QPushButton* stop = Button(this, "Command2", "Stop");
    next_ = Button(this, "Command3", "Next");
    connect(play_, &QPushButton::clicked, this, [this] { Play(); });
    connect(stop, &QPushButton::clicked, this, [this] { Stop(); });
    connect(next_, &QPushButton::clicked, this, [this] { Next(); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(name_);
    texts->addWidget(facts_);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(8);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(stop);
    buttons->addStretch();
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(note_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

SoundViewerWindow::~SoundViewerWindow() = default;

QString SoundViewerWindow::soundFilePath() const {
    return wav_ ? wav_->fileName() : QString();
}

void SoundViewerWindow::ShowSelected() {
    player_->Stop();
    next_->setEnabled(true);
    const ResourceRecord* sound = session_.Selected();
    if (sound != nullptr) {
        try {
            Load(session_.selectedIndex);
        } catch (const std::exception& e) {
            // The window still opens, for "Next".
            wav_.reset();
            pcm_.reset();
            index_ = session_.selectedIndex;
            name_->setText(QString::fromStdString(SoundLabel(*sound)));
            facts_->clear();
            Report("cannot read " + SoundLabel(*sound) + ": " + e.what());
        }
    }
    show();
    raise();
    activateWindow();
}

void SoundViewerWindow::Follow(std::int32_t index) {
    if (!isVisible() || index == index_ || !session_.level || !session_.level->Contains(index) ||
        session_.level->at(index).tag != kSoundTags[0])
        return;
    try {
        Load(index);
    } catch (const std::exception& e) {
        Report("cannot read " + SoundLabel(session_.level->at(index)) + ": " + e.what());
    }
}

void SoundViewerWindow::Load(std::int32_t index) {
    const Level& level = session_.level.value();
    const ResourceRecord& sound = level.at(index);
    const std::vector<std::uint8_t> bytes = SoundWavOf(level, sound);
    std::string problem;
    PreviewSound facts = SoundOfWav(bytes, problem);
    auto wav = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/drossel-XXXXXX.wav"));
    const auto size = static_cast<qint64>(bytes.size());
    if (!wav->open() || wav->write(reinterpret_cast<const char*>(bytes.data()), size) != size || !wav->flush()) {
        throw DrosselError("cannot write " + wav->fileName().toStdString() + ": " + wav->errorString().toStdString());
    }
    // Asking for the name gives the file one in the temporary folder (Qt may
    // create it unnamed), so it is there to look at while the window is open.
    wav->fileName();
    player_->Stop();
    wav_ = std::move(wav);
    pcm_ = std::make_shared<const PcmSound>(std::move(facts.pcm));
    index_ = index;
    name_->setText(QString::fromStdString(SoundLabel(sound)));
    facts_->setText(QString::fromStdString(SoundFactsText(facts)));
    note_->setText(SoundPlayer::HasOutput() ? QString::fromStdString(problem)
                                            : QStringLiteral("No audio output: this system cannot play sounds."));
}

void SoundViewerWindow::Next() {
    // The next sound of the table after the one shown, from the first again after the last.
    const Level* level = session_.level ? &*session_.level : nullptr;
    const std::int32_t count = level != nullptr ? level->count() : 0;
    for (std::int32_t step = 1; step <= count; ++step) {
        const std::int32_t index = (std::max(index_, -1) + step) % count;
        if (level->at(index).tag != kSoundTags[0]) continue;
        if (index == index_) break;
        try {
            Load(index);
        } catch (const std::exception& e) {
            Report("cannot read " + SoundLabel(level->at(index)) + ": " + e.what());
            return;
        }
        if (onStepped) onStepped(index);
        return;
    }
    ui_.Beep();
}

void SoundViewerWindow::Play() {
    try {
        if (!pcm_) throw DrosselError("it could not be read");
        player_->Play(pcm_);
        next_->setEnabled(false);
        Report("playing " + name_->text().toStdString());
    } catch (const std::exception& e) {
        Report("cannot play " + name_->text().toStdString() + ": " + e.what());
    }
}

void SoundViewerWindow::Stop() {
    next_->setEnabled(true);
    player_->Stop();
}

void SoundViewerWindow::Report(const std::string& what) {
    ui_.SetStatusText("Status: " + what);
    note_->setText(QString::fromStdString(what));
}

void SoundViewerWindow::hideEvent(QHideEvent* event) {
    // Closing, not minimizing, ends the sound and removes its temporary file.
    if (!event->spontaneous()) {
        player_->Stop();
        wav_.reset();
        pcm_.reset();
        index_ = -1;
    }
    QDialog::hideEvent(event);
}

}  // namespace drossel::ui
