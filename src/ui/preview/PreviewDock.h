#pragma once
// The preview dock: what the selected resource's conversion makes, drawn as a
// zoomable picture, the pictures of a list, a sound with its waveform and Play
// and Stop, or a text; the "Resource Info" fields for every other kind. The
// previews are made by a PreviewWorker on a copy of the open level, so the
// tree never waits for them. Each kind of preview is one page of a stack; the
// scenes of models, weapons, characters and levels are drawn in 3D.

#include "convert/Options.h"

#include <QDockWidget>
#include <cstdint>
#include <memory>
#include <optional>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace drossel {
class Level;
struct PcmSound;
}  // namespace drossel

namespace drossel::ui {

class PictureView;
class PreviewWorker;
class ScenePage;
class SoundPlayer;
class WaveformView;
struct ShownPreview;

class PreviewDock : public QDockWidget {
    Q_OBJECT

public:
    explicit PreviewDock(QWidget* parent);
    ~PreviewDock() override;

    // The level previews are made from; nullptr when none is open. Call it
    // again whenever the session's level (or its .raw path) changes.
    void SetLevel(const Level* level);
    // Shows the resource at this index, as soon as its preview is made.
    void ShowResource(std::int32_t index, const Options& options);
    // A group node: its name and how many resources it lists.
    void ShowGroup(const QString& description, int resources);
    void Clear();
    // True while a requested preview is not shown yet.
    bool waiting() const { return shownRequest_ != lastRequest_; }
    void StopSound();

signals:
    // A preview has just been shown.
    void previewShown();

private:
    void Request();
    void Show(const std::shared_ptr<ShownPreview>& shown);
    void ShowPage(QWidget* page);
    QWidget* MakePicturePage();
    QWidget* MakeSoundPage();
    QWidget* MakeInfoPage();

    const Level* source_ = nullptr;
    std::shared_ptr<const Level> copy_;
    std::optional<std::pair<std::int32_t, Options>> wanted_;  // the resource to show once the dock is seen
    std::uint64_t lastRequest_ = 0;
    std::uint64_t shownRequest_ = 0;
    std::unique_ptr<PreviewWorker> worker_;

    QLabel* title_ = nullptr;
    QLabel* facts_ = nullptr;
    QLabel* problem_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QWidget* empty_ = nullptr;
    QWidget* picturePage_ = nullptr;
    PictureView* picture_ = nullptr;
    QListWidget* pictures_ = nullptr;
    QWidget* soundPage_ = nullptr;
    WaveformView* waveform_ = nullptr;
    QPushButton* play_ = nullptr;
    QLabel* soundNote_ = nullptr;
    SoundPlayer* player_ = nullptr;
    std::shared_ptr<const PcmSound> sound_;
    QPlainTextEdit* text_ = nullptr;
    ScenePage* scenePage_ = nullptr;
    QWidget* infoPage_ = nullptr;
    QList<QLabel*> infoLabels_;
    QList<QLabel*> infoValues_;
};

}  // namespace drossel::ui
