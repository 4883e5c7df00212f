// The desktop program's previews and conventions on the demo level: what the
// dock shows for each kind, the filter, Recent Levels, settings kept between
// runs, a dropped level, a cancelled batch, the shortcuts, menus and keys, and
// the save dialogs. What the core makes of them is tested in the core.

#include "Fixture.h"
#include "ScriptedDialogs.h"
#include "WindowProbe.h"
#include "app/OpenLevel.h"
#include "level/LoadDat.h"
#include "ui/MainWindow.h"
#include "ui/QtUserInterface.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/preview/PictureView.h"
#include "ui/preview/PreviewDock.h"
#include "ui/preview/WaveformView.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::testing;

class DesktopTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> window_;
    const LevelBuilder demo_ = demo::BuildDemoLevel();
    std::string dat_;

    template <typename T = QWidget>
    T* Find(const char* name) const {
        return FindIn<T>(*window_, name);
    }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    ResourceTreeWidget* Tree() const { return Find<ResourceTreeWidget>("TreeView1"); }
    int At(const char* name) const { return demo_.IndexNamed(name); }
    // Selects a resource node as the arrow keys would, and waits for its preview.
    QString Preview(int index) { return PreviewPageOf(*window_, index); }
    // A restart: the window closes as a person closes it, and a new one opens.
    void NewWindow() {
        if (window_) window_->close();
        window_ = std::make_unique<MainWindow>(&dialogs_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void Click(int index) {
        QTreeWidgetItem* item = Tree()->ItemOfIndex(index);
        Tree()->scrollToItem(item);
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(item).center());
    }
    void Open(const std::string& dat) { window_->OpenLevelFile(QString::fromStdString(dat)); }

private slots:
    void initTestCase() { dat_ = demo_.Write(dir_ / "demo"); }
    void init() {
        QSettings().clear();
        dialogs_ = ScriptedDialogs();
        NewWindow();
        Open(dat_);
    }
    void cleanup() { window_.reset(); }

    void previewsShowWhatConversionsMake() {
        QCOMPARE(Preview(At("wall_arrow")), QStringLiteral("PicturePreview"));
        QCOMPARE(Find<PictureView>("PictureView")->picture().size(), QSize(64, 64));
        QCOMPARE(Find<QLabel>("lblPreviewFacts")->text(), QStringLiteral("64 x 64, ARGB 1-5-5-5 (format 1)"));
        QCOMPARE(Preview(At("door_open.aif")), QStringLiteral("SoundPreview"));
        QVERIFY(!Find<WaveformView>("Waveform")->peaks().empty());
        QCOMPARE(Preview(At("mission_title")), QStringLiteral("TextPreview"));
        QVERIFY(
            Find<QPlainTextEdit>("TextPreview")->toPlainText().startsWith(QStringLiteral("Mission 1: The Warehouse")));
        QCOMPARE(Preview(At("water_anim")), QStringLiteral("ThumbnailPreview"));
        QCOMPARE(Find<QListWidget>("ThumbnailPreview")->count(), 2);
        for (const char* other : {"crate_indices", "IntroCutscene"}) {
            QCOMPARE(Preview(At(other)), QStringLiteral("InfoPreview"));
            QCOMPARE(Find<QLabel>("lblPreviewInfo")->text(), QString::number(At(other)));
        }
        // Hidden, the dock makes nothing, and shows the selection when it comes back.
        Action("mnuPreview")->trigger();
        QVERIFY(Find<PreviewDock>("PreviewDock")->isHidden());
        Tree()->setCurrentItem(Tree()->ItemOfIndex(At("wall_arrow")));
        QVERIFY(!window_->preview().waiting());
        Action("mnuPreview")->trigger();
        QTRY_COMPARE(Find<QLabel>("lblPreviewTitle")->text(), QStringLiteral("wall_arrow (TXMP)"));
    }

    void filterKeepsMatchesAndEscapeClearsIt() {
        auto* filter = Find<QLineEdit>("txtFilter");
        QTest::keyClicks(filter, QStringLiteral("DOOR"));
        QTRY_VERIFY(Tree()->topLevelItemCount() < 61);
        int shown = 0;
        for (int g = 0; g < Tree()->topLevelItemCount(); ++g) {
            for (int r = 0; r < Tree()->topLevelItem(g)->childCount(); ++r, ++shown) {
                const auto index = IndexOfNodeKey(ResourceTreeWidget::KeyOf(Tree()->topLevelItem(g)->child(r)));
                QVERIFY(QString::fromStdString(std::string(window_->session().level->at(*index).name))
                            .contains("door", Qt::CaseInsensitive));
            }
        }
        QVERIFY(shown > 0);
        QTest::keyClick(filter, Qt::Key_Escape);
        QVERIFY(filter->text().isEmpty());
        QCOMPARE(Tree()->topLevelItemCount(), 61);
    }

    void recentLevelsReopenAndForgetWhatIsGone() {
        const std::string second = demo_.Write(dir_ / "second");
        Open(second);
        QCOMPARE(Action("mnuRecent1")->text(), QString::fromStdString("&1 " + second));
        Action("mnuRecent2")->trigger();
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [demo.dat]"));
        std::filesystem::remove(second);
        Action("mnuRecent2")->trigger();
        QVERIFY(dialogs_.messages.last().startsWith(QString(kNotALevelMessage)));
        QVERIFY(window_->findChild<QAction*>(QStringLiteral("mnuRecent2")) == nullptr);
    }

    void settingsComeBackAfterARestart() {
        Action("mnuBit24")->trigger();
        Action("mnuZephyr")->trigger();
        Action("mnuPreview")->trigger();
        window_->resize(900, 500);
        dialogs_.answers.push_back(QString::fromStdString(dir_ / ""));
        Action("mnuUnpAll")->trigger();
        NewWindow();
        QCOMPARE(window_->size(), QSize(900, 500));
        QVERIFY(Find<PreviewDock>("PreviewDock")->isHidden());
        QVERIFY(Action("mnuBit24")->isChecked());
        QCOMPARE(window_->userInterface().batchFolder, QString::fromStdString(dir_ / ""));
        QCOMPARE(window_->session().OutputFolder, dir_ / "");
        Action("mnuRecent1")->trigger();
        QVERIFY(Tree()->ItemOfKey("UNKN") != nullptr && Action("mnuZephyr")->isChecked());
        QCOMPARE(window_->session().options.Image, ImageFormat::Bmp24);
    }

    void aDroppedLevelOpens() {
        Action("mnuclose")->trigger();
        for (const auto& [path, opens] : {std::pair{dat_, true}, {dir_ / "notes.txt", false}}) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(window_.get(), &enter);
            QCOMPARE(enter.isAccepted(), opens);
        }
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dat_))});
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window_.get(), &drop);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [demo.dat]"));
    }

    // Cancel and Escape stop a batch; its summary goes to the status bar and the report.
    void batchesCancelAndReport() {
        for (const auto& [entry, cancel] : {std::pair{"mnuUCALL", 0}, {"mnuUnpAll", 1}}) {
            dialogs_.answers.push_back(QString::fromStdString(dir_ / ""));
            QTimer::singleShot(0, this, [this, cancel = cancel] {
                if (cancel == 0)
                    QTest::mouseClick(Find<QToolButton>("cmdCancel"), Qt::LeftButton);
                else
                    QTest::keyClick(window_.get(), Qt::Key_Escape);
            });
            Action(entry)->trigger();
            QVERIFY(window_->statusText().startsWith(QStringLiteral("Status: Cancelled after 0 of ")));
            QVERIFY(Find<QDialog>("frmBatchReport")->isVisible());
            QCOMPARE(Find<QLabel>("lblWritten")->text(), QStringLiteral("Files written: 0"));
        }
        QVERIFY(!Find<QToolButton>("cmdCancel")->isVisible());
        dialogs_.answers.push_back(QString::fromStdString(dir_ / "out"));
        std::filesystem::create_directory(dir_ / "out");
        Action("mnuUCALL")->trigger();
        QCOMPARE(Find<QLabel>("lblWritten")->text(), QStringLiteral("Files written: %1").arg(CountFiles(dir_ / "out")));
        QVERIFY(window_->statusText().startsWith(
            QStringLiteral("Status: Done: %1 files written").arg(CountFiles(dir_ / "out"))));
        QTest::mouseClick(Find<QWidget>("cmdOpenFolder"), Qt::LeftButton);
        QCOMPARE(dialogs_.requests.last(), QString::fromStdString("show folder: " + dir_ / "out/"));
    }

    void keysMenusAndTheRightClick() {
        // Every menu bar entry has an Alt key, and no menu gives one letter twice.
        const std::function<void(const QList<QAction*>&)> check = [&](const QList<QAction*>& actions) {
            QSet<QChar> letters;
            for (QAction* a : actions) {
                const qsizetype at = a->text().indexOf(QLatin1Char('&'));
                if (at < 0) continue;
                const QChar letter = a->text()[at + 1].toLower();
                QVERIFY2(!letters.contains(letter), qPrintable(a->text()));
                letters.insert(letter);
                if (a->menu() != nullptr) check(a->menu()->actions());
            }
        };
        check(window_->menuBar()->actions());
        for (QAction* menu : window_->menuBar()->actions()) QVERIFY(menu->text().contains(QLatin1Char('&')));

        QTest::keyClick(window_.get(), Qt::Key_F1);
        QTRY_VERIFY(window_->findChild<QDialog*>(QStringLiteral("Form4"))->isVisible());
        const auto rightClick = [this](int index, const char* groupKey) {
            QTreeWidgetItem* item = index >= 0 ? Tree()->ItemOfIndex(index) : Tree()->ItemOfKey(groupKey);
            Tree()->scrollToItem(item);
            emit Tree()->customContextMenuRequested(Tree()->visualItemRect(item).center());
            QStringList names;
            for (QAction* a : Find<QMenu>("mnuContext")->actions()) names << a->objectName();
            Find<QMenu>("mnuContext")->close();
            return names.join(' ');
        };
        QCOMPARE(rightClick(At("door_open.aif"), ""),
                 QStringLiteral("mnuUC mnuUnp mnuResInfo  mnuViewSndFile mnuOverwriteSound"));
        QCOMPARE(rightClick(At("mission_title"), ""), QStringLiteral("mnuUC mnuUnp mnuResInfo  mnuEditonitext"));
        QCOMPARE(rightClick(At("wall_arrow"), ""), QStringLiteral("mnuUC mnuUnp mnuResInfo  mnuReplaceTexture"));
        QCOMPARE(rightClick(-1, "TXMP"), QStringLiteral("mnuECF mnuEF"));

        // Enter converts the selected resource; its dialog starts with the Textures option's filter.
        Tree()->setCurrentItem(Tree()->ItemOfIndex(At("wall_arrow")));
        Tree()->setFocus();
        QTest::keyClick(Tree(), Qt::Key_Return);
        QCOMPARE(dialogs_.requests.last(),
                 QStringLiteral("save: Save Texture to BMP/TGA File...: wall_arrow [TGA Files (*.tga)]"));
        QTest::keyClick(window_.get(), Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!window_->session().level.has_value());
    }

    // A name typed without an extension gets the chosen filter's, for pictures
    // and levels alike; the status then says what was written.
    void saveDialogsAddTheExtension() {
        const std::pair<const char*, const char*> cases[] = {{"wall_arrow", "shot.tga"}, {"level1", "room.lwo"}};
        for (const auto& [name, written] : cases) {
            Click(At(name));
            dialogs_.answers.push_back(QString::fromStdString(dir_ / std::string(written).substr(0, 4)));
            Action("mnuUC")->trigger();
            QVERIFY2(std::filesystem::exists(dir_ / written), written);
        }
        QCOMPARE(window_->statusText(), QStringLiteral("Status: Converted level level1: room.lwo written"));
        Action("mnuBit")->trigger();
        Click(At("wall_arrow"));
        Action("mnuUC")->trigger();
        QVERIFY(dialogs_.requests.last().endsWith(QStringLiteral("[Windows Bitmap (*.bmp)]")));
        // An option the kind's filters lack brings a filter of its own.
        Action("mnuPng")->trigger();
        dialogs_.answers.push_back(QString::fromStdString(dir_ / "pic"));
        Action("mnuUC")->trigger();
        QVERIFY(dialogs_.requests.last().endsWith(QStringLiteral("[PNG (*.png)]")));
        QVERIFY(std::filesystem::exists(dir_ / "pic.png"));
        // The dialog starts in the folder last chosen.
        QVERIFY(dialogs_.requests.last().contains(QString::fromStdString(dir_ / "wall_arrow")));
    }

    void aMissingRawFileIsSaidAtLoad() {
        const std::string dat = LevelBuilder{}.Write(dir_ / "noraw");
        std::filesystem::remove(dir_ / "noraw.raw");
        Open(dat);
        QCOMPARE(window_->statusText(), QString::fromStdString(*MissingRawText(*window_->session().level)));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
