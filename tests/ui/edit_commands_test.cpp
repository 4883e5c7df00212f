// The Edit menu from the window: the core's unpack commands run with the
// window's dialogs, locks and tree, and leave the controls as they should.

#include "WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QToolBar>
#include <QtTest>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::ui::testing;
using drossel::testing::Bytes;
using drossel::testing::ReadFileBytes;

class EditCommandsTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    FixtureIndexes at_{};
    LevelBuilder builder_;
    std::string level_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Form1> window_;

    QAction* Act(const char* name) { return ActionNamed(*window_, name); }
    QToolBar* Toolbar() { return window_->findChild<QToolBar*>(QStringLiteral("Toolbar1")); }

    // A fresh, empty output folder.
    QString OutputFolder(const char* name) {
        const QString folder = QString::fromStdString(dir_ / name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        return folder;
    }
    // The resource's bytes in the .dat file, prefix included.
    Bytes DataOf(int index) {
        const Bytes dat = ReadFileBytes(level_);
        const auto offset = builder_.LayoutOf().dataOffsets[static_cast<std::size_t>(index)];
        const auto& data = builder_.resource(index).data;
        return Bytes(dat.begin() + offset, dat.begin() + offset + static_cast<std::ptrdiff_t>(data.size()));
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        builder_ = FixtureLevel(&at_);
        level_ = builder_.Write(dir_ / "level");
    }

    void init() {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        window_ = ShowWindow(*dialogs_, level_);
        QVERIFY(window_);
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
    }

    void exportFolderUnpacksTheSelectedGroupWithTreeAndToolbarLocked() {
        ClickItem(*window_, GroupItem(*window_, "OBAN"));
        const QString folder = OutputFolder("animations");
        dialogs_->folderAnswers.push_back(folder);
        bool treeLocked = false, toolbarLocked = false, menusOpen = false;
        dialogs_->onRequest = [&](const DialogRequest& request) {
            if (request.kind != DialogRequest::Kind::Folder) return;
            treeLocked = !TreeOf(*window_)->isEnabled();
            toolbarLocked = !Toolbar()->isEnabled();
            menusOpen = MenuNamed(*window_, "mnuFile")->menuAction()->isEnabled();
            // Commands reached through the menus meanwhile must not touch the level.
            Act("mnuclose")->trigger();
        };

        window_->ToolbarButton(6)->trigger();

        QVERIFY(treeLocked);
        QVERIFY(toolbarLocked);
        QVERIFY(menusOpen);
        QCOMPARE(window_->session().table.count(), 8);
        const auto folders = dialogs_->OfKind(DialogRequest::Kind::Folder);
        QCOMPARE(folders.size(), std::size_t(1));
        QCOMPARE(folders[0].title, QStringLiteral("Select directory for unpacking files"));
        QCOMPARE(ReadFileBytes((folder + "/door_slide.OBAN").toStdString()), DataOf(at_.animation));
        const auto messages = dialogs_->messages();
        QVERIFY(!messages.empty());
        QCOMPARE(messages.back().text, QStringLiteral("Files Unpacked"));
        QCOMPARE(messages.back().title, QStringLiteral("Success"));
        // The tree showed the resource it worked on; everything is open again.
        QCOMPARE(TreeOf(*window_)->currentItem(), ResourceItem(*window_, at_.animation));
        QVERIFY(TreeOf(*window_)->isEnabled());
        QVERIFY(Toolbar()->isEnabled());
        QCOMPARE(window_->statusText(), QStringLiteral("Status: ---"));
        QCOMPARE(window_->session().selectedIndex, 0);
        Act("mnuclose")->trigger();
        QCOMPARE(window_->session().table.count(), 0);
    }

    void exportFolderCancelledWritesNothingAndUnlocks() {
        ClickItem(*window_, GroupItem(*window_, "OBAN"));
        Act("mnuEF")->trigger();
        QCOMPARE(dialogs_->OfKind(DialogRequest::Kind::Folder).size(), std::size_t(1));
        QVERIFY(dialogs_->messages().empty());
        QVERIFY(TreeOf(*window_)->isEnabled());
        QVERIFY(Toolbar()->isEnabled());
        Act("mnuZephyr")->trigger();
        QCOMPARE(window_->resourceTree().view, TreeView::Zephyr);
    }

    void unpackAllWritesEveryListedResourceAndReopensTheFileControls() {
        ClickItem(*window_, ResourceItem(*window_, at_.animation));
        const QString folder = OutputFolder("all");
        dialogs_->folderAnswers.push_back(folder);

        Act("mnuUnpAll")->trigger();

        QCOMPARE(dialogs_->OfKind(DialogRequest::Kind::Folder)[0].title, QStringLiteral("Select Directory..."));
        QCOMPARE(ReadFileBytes((folder + "/door_slide.OBAN").toStdString()), DataOf(at_.animation));
        QCOMPARE(ReadFileBytes((folder + "/game_settings.ONGS").toStdString()), DataOf(at_.settings));
        QVERIFY(!QFileInfo::exists(folder + "/File_#2.BINA"));  // flags 2: skipped
        QCOMPARE(window_->statusText(), QStringLiteral("Status: Unpacked"));
        QVERIFY(MenuNamed(*window_, "mnuFile")->menuAction()->isEnabled());
        QVERIFY(MenuNamed(*window_, "mnuEdit")->menuAction()->isEnabled());
        QVERIFY(TreeOf(*window_)->isEnabled());
        for (int b : {1, 2, 3, 11, 12, 14, 15}) QVERIFY(window_->ToolbarButton(b)->isEnabled());
        QVERIFY(!window_->ToolbarButton(5)->isEnabled());
        QVERIFY(Act("mnuUnp")->isEnabled());
    }

    void unpackAsksForAPathWithItsOwnDialog() {
        ClickItem(*window_, ResourceItem(*window_, at_.settings));
        const QString target = OutputFolder("single") + "/settings.bin";
        dialogs_->saveAnswers.push_back(target);

        window_->ToolbarButton(5)->trigger();

        const auto saves = dialogs_->OfKind(DialogRequest::Kind::Save);
        QCOMPARE(saves.size(), std::size_t(1));
        QCOMPARE(saves[0].title, QStringLiteral("Unpack resource..."));
        QVERIFY2(!saves[0].filter.contains(QLatin1Char('|')), qPrintable(saves[0].filter));
        QCOMPARE(ReadFileBytes(target.toStdString()), DataOf(at_.settings));
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
