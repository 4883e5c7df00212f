#include "ui/preview/PreviewDock.h"

#include "app/InfoText.h"
#include "level/Level.h"
#include "ui/LevelText.h"
#include "ui/SoundPlayer.h"
#include "ui/preview/PictureView.h"
#include "ui/preview/PreviewWorker.h"
#include "ui/preview/ScenePage.h"
#include "ui/preview/WaveformView.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace drossel::ui {
namespace {

constexpr int kThumbnailSide = 96;

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QString& tip = {}) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(caption) + 32);
    return button;
}

QLabel* Label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

PreviewDock::PreviewDock(QWidget* parent) : QDockWidget(QStringLiteral("Preview"), parent) {
    setObjectName(QStringLiteral("PreviewDock"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    worker_ = std::make_unique<PreviewWorker>(this, [this](std::shared_ptr<ShownPreview> shown) { Show(shown); });

    auto* body = new QWidget(this);
    title_ = Label(body, "lblPreviewTitle");
    // One line each: a label that wraps lays the whole dock out again whenever its text changes.
    title_->setWordWrap(false);
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    facts_ = Label(body, "lblPreviewFacts");
    facts_->setWordWrap(false);
    facts_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    problem_ = Label(body, "lblPreviewProblem");
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->hide();

    pages_ = new QStackedWidget(body);
    pages_->setObjectName(QStringLiteral("PreviewPages"));
    empty_ = new QWidget(pages_);
    empty_->setObjectName(QStringLiteral("NoPreview"));
    pages_->addWidget(empty_);
    pages_->addWidget(picturePage_ = MakePicturePage());
    pictures_ = new QListWidget(pages_);
    pictures_->setObjectName(QStringLiteral("ThumbnailPreview"));
    pictures_->setViewMode(QListView::IconMode);
    pictures_->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    pictures_->setResizeMode(QListView::Adjust);
    pictures_->setMovement(QListView::Static);
    pictures_->setSpacing(6);
    pages_->addWidget(pictures_);
    pages_->addWidget(soundPage_ = MakeSoundPage());
    text_ = new QPlainTextEdit(pages_);
    text_->setObjectName(QStringLiteral("TextPreview"));
    text_->setReadOnly(true);
    pages_->addWidget(text_);
    pages_->addWidget(infoPage_ = MakeInfoPage());
    pages_->addWidget(scenePage_ = new ScenePage(pages_));
    connect(scenePage_, &ScenePage::factsChanged, facts_, &QLabel::setText);

    auto* layout = new QVBoxLayout(body);
    layout->addWidget(title_);
    layout->addWidget(facts_);
    layout->addWidget(problem_);
    layout->addWidget(pages_, 1);
    setWidget(body);
    setMinimumWidth(260);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            Request();
        else
            StopSound();
    });
}

PreviewDock::~PreviewDock() = default;

QWidget* PreviewDock::MakePicturePage() {
    auto* page = new QWidget(pages_);
    page->setObjectName(QStringLiteral("PicturePreview"));
    picture_ = new PictureView(page);
    auto* fit = Button(page, "cmdPreviewFit", QStringLiteral("Fit"), QStringLiteral("Fit the picture to the view"));
    auto* actual = Button(page, "cmdPreviewActual", QStringLiteral("1:1"), QStringLiteral("One pixel per pixel"));
    auto* in = Button(page, "cmdPreviewZoomIn", QStringLiteral("+"), QStringLiteral("Zoom in (Ctrl+wheel)"));
    auto* out = Button(page, "cmdPreviewZoomOut", QStringLiteral("-"), QStringLiteral("Zoom out (Ctrl+wheel)"));
    connect(fit, &QPushButton::clicked, picture_, &PictureView::Fit);
    connect(actual, &QPushButton::clicked, this, [this] { picture_->ZoomTo(1); });
    connect(in, &QPushButton::clicked, this, [this] { picture_->ZoomBy(1.25); });
    connect(out, &QPushButton::clicked, this, [this] { picture_->ZoomBy(0.8); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {fit, actual, in, out}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(picture_, 1);
    return page;
}

QWidget* PreviewDock::MakeSoundPage() {
    auto* page = new QWidget(pages_);
    page->setObjectName(QStringLiteral("SoundPreview"));
    waveform_ = new WaveformView(page);
    play_ = Button(page, "cmdPreviewPlay", QStringLiteral("Play"));
    auto* stop = Button(page, "cmdPreviewStop", QStringLiteral("Stop"));
    soundNote_ = Label(page, "lblPreviewSoundNote");
    player_ = new SoundPlayer(this);
    connect(play_, &QPushButton::clicked, this, [this] {
        try {
            player_->Play(sound_);
            soundNote_->setText(QStringLiteral("Playing"));
        } catch (const std::exception& e) {
            soundNote_->setText(QStringLiteral("Cannot play it: %1").arg(QString::fromStdString(e.what())));
        }
    });
    connect(stop, &QPushButton::clicked, this, &PreviewDock::StopSound);
    connect(player_, &SoundPlayer::finished, this, [this](bool failed) {
        soundNote_->setText(failed ? QStringLiteral("The audio output failed") : QString());
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(stop);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(waveform_);
    layout->addLayout(buttons);
    layout->addWidget(soundNote_);
    layout->addStretch();
    return page;
}

QWidget* PreviewDock::MakeInfoPage() {
    auto* page = new QWidget(pages_);
    page->setObjectName(QStringLiteral("InfoPreview"));
    auto* form = new QFormLayout(page);
    std::vector<InfoField> captions{ResourceNumberField(0)};
    for (InfoField& field : ResourceInfoFields(ResourceRecord{}, RawSlot{})) captions.push_back(std::move(field));
    for (const InfoField& caption : captions) {
        auto* label = new QLabel(QString::fromStdString(caption.label), page);
        auto* value = Label(page, "lblPreviewInfo");
        form->addRow(label, value);
        infoLabels_.append(label);
        infoValues_.append(value);
    }
    return page;
}

void PreviewDock::SetLevel(const Level* level) {
    source_ = level;
    copy_.reset();
    if (level == nullptr) Clear();
}

void PreviewDock::ShowResource(std::int32_t index, const Options& options) {
    wanted_.emplace(index, options);
    if (isVisible()) Request();
}

void PreviewDock::Request() {
    if (!wanted_ || source_ == nullptr || !source_->Contains(wanted_->first)) return;
    // The worker reads a level of its own: the session's opens and closes its
    // files on this thread. The copy is made once per level.
    if (!copy_) copy_ = std::make_shared<const Level>(source_->Copy());
    worker_->Request(++lastRequest_, copy_, wanted_->first, wanted_->second);
    wanted_.reset();
}

void PreviewDock::ShowGroup(const QString& description, int resources) {
    wanted_.reset();
    shownRequest_ = ++lastRequest_;  // whatever is still being made is not wanted any more
    StopSound();
    title_->setText(description);
    facts_->setText(resources == 1 ? QStringLiteral("1 resource") : QStringLiteral("%1 resources").arg(resources));
    problem_->hide();
    ShowPage(empty_);
}

void PreviewDock::Clear() {
    wanted_.reset();
    shownRequest_ = ++lastRequest_;
    StopSound();
    title_->clear();
    facts_->clear();
    problem_->hide();
    ShowPage(empty_);
}

void PreviewDock::StopSound() {
    player_->Stop();
}

void PreviewDock::ShowPage(QWidget* page) {
    if (page != picturePage_) picture_->SetPicture({});
    if (page != pictures_) pictures_->clear();
    if (page != soundPage_) {
        sound_.reset();
        waveform_->SetSound(nullptr);
    }
    if (page != text_) text_->clear();
    if (page != scenePage_) scenePage_->Clear();
    pages_->setCurrentWidget(page);
}

void PreviewDock::Show(const std::shared_ptr<ShownPreview>& shown) {
    if (shown->request != lastRequest_) return;  // the selection has moved on
    shownRequest_ = shown->request;
    StopSound();
    const Preview& p = shown->preview;
    title_->setText(LevelText(p.title));
    facts_->setText(QString::fromStdString(p.facts));
    problem_->setText(QString::fromStdString(p.problem));
    problem_->setVisible(!p.problem.empty());
    switch (p.kind) {
        case PreviewKind::Picture:
            ShowPage(picturePage_);
            picture_->SetPicture(shown->picture);
            break;
        case PreviewKind::Pictures:
            ShowPage(pictures_);
            for (const ShownPicture& picture : shown->pictures) {
                auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(picture.image.scaled(
                                                     kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio))),
                                                 picture.name, pictures_);
                item->setToolTip(item->text());
            }
            break;
        case PreviewKind::Sound:
            ShowPage(soundPage_);
            sound_ = shown->sound;
            waveform_->SetSound(sound_.get());
            soundNote_->setText(SoundPlayer::HasOutput()
                                    ? QString()
                                    : QStringLiteral("No audio output: this system cannot play sounds."));
            break;
        case PreviewKind::Text:
            ShowPage(text_);
            text_->setPlainText(QString::fromStdString(std::get<std::string>(p.content)));
            break;
        case PreviewKind::Scene:
            ShowPage(scenePage_);
            scenePage_->SetScenes(shown->scenes);
            break;
        case PreviewKind::Info:
            ShowPage(infoPage_);
            for (qsizetype i = 0; i < infoValues_.size() && i < static_cast<qsizetype>(p.info.size()); ++i)
                infoValues_[i]->setText(LevelText(p.info[static_cast<std::size_t>(i)].value));
            break;
    }
    emit previewShown();
}

}  // namespace drossel::ui
