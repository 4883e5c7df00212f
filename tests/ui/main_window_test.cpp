// The desktop program's wiring: every command reaches the core from its menu
// entry and its toolbar button, the controls follow the states, the tree's
// events apply the selection rules, and the window's port shows what the core
// reports. What the commands do is tested in the core.

#include "Fixture.h"
#include "ScriptedDialogs.h"
#include "image/ImageFile.h"
#include "ui/MainLayout.h"
#include "ui/MainWindow.h"
#include "ui/QtUserInterface.h"
#include "ui/ResourceTreeWidget.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    QString dat_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> window_;

    QAction* Action(const char* name) const {
        auto* action = window_->findChild<QAction*>(QLatin1String(name));
        if (action == nullptr) qFatal("no action named %s", name);
        return action;
    }
    ResourceTreeWidget* Tree() const { return window_->findChild<ResourceTreeWidget*>(QStringLiteral("TreeView1")); }
    void Open(const QString& path) {
        dialogs_.answers.push_back(path);
        Action("mnuDat")->trigger();
    }
    void Click(const std::string& key) {
        QTreeWidgetItem* item = Tree()->ItemOfKey(key);
        QVERIFY(item != nullptr);
        Tree()->scrollToItem(item);
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(item).center());
    }
    bool AllEnabled(const QStringList& names, bool enabled) const {
        return std::all_of(names.begin(), names.end(),
                           [&](const QString& name) { return Action(qPrintable(name))->isEnabled() == enabled; });
    }

    const QStringList kFileCommands{
        "mnuclose",       "Button3",  "mnuDatInfo", "mnuResInfo", "Button11",       "Button12",
        "mnuUnpAll",      "mnuUCALL", "Button14",   "Button15",   "mnuEditonitext", "mnuOverwriteSound",
        "mnuViewSndFile", "Button16", "Button17",   "mnuZephyr",  "mnuNRM",         "mnuAGQG"};
    const QStringList kSelectionCommands{"mnuUnp",  "mnuUC",   "mnuEF",   "mnuECF",
                                         "Button5", "Button6", "Button8", "Button9"};

private slots:
    void init() {
        LevelBuilder b;
        b.AddTexture("wall", 4, 4, 1, Bytes(32, 0));  // k0
        b.Add("OBAN", "door_slide");                  // k1, unpack only
        b.Add("ONGS", "settings");                    // k2, neither class
        dat_ = QString::fromStdString(b.Write(dir_ / "level1"));
        dialogs_ = ScriptedDialogs();
        QSettings().clear();
        window_ = std::make_unique<MainWindow>(&dialogs_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void theStatesOfTheControls() {
        QVERIFY(AllEnabled(kFileCommands + kSelectionCommands, false));
        QVERIFY(AllEnabled({"mnuDat", "mnuRaw", "mnuExit", "mnuAbout", "Button1", "Button2"}, true));
        QVERIFY(!Action("mnuTga")->isChecked());
        Action("mnuBit24")->trigger();
        Open(dat_);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [level1.dat]"));
        QCOMPARE(window_->statusText(), QStringLiteral("Status: Loaded"));
        QVERIFY(AllEnabled(kFileCommands, true));
        QVERIFY(AllEnabled(kSelectionCommands, false));
        QVERIFY(Action("mnuBit24")->isChecked());  // a chosen option stays over a load
        QCOMPARE(Tree()->topLevelItemCount(), 61);
        QVERIFY(Action("mnuNRM")->isChecked() && !Action("mnuZephyr")->isChecked());
        // A refused file: its message and why; the open level stays, tree, title and commands.
        WriteFileBytes(dir_ / "bad.dat", Bytes(64, 1));
        Open(QString::fromStdString(dir_ / "bad.dat"));
        QVERIFY(dialogs_.requests.last().startsWith(QString::fromStdString(
            "message: Drossel: This File is not valid a Oni DAT File!\r\n" + dir_ / "bad.dat: ")));
        QCOMPARE(Tree()->topLevelItemCount(), 61);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [level1.dat]"));
        QVERIFY(AllEnabled(kFileCommands, true));
        Open(dat_);
        Action("mnuclose")->trigger();
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel"));
        QCOMPARE(window_->statusText(), QStringLiteral("Satus: ---"));
        QVERIFY(AllEnabled(kFileCommands + kSelectionCommands, false));
        QVERIFY(!Action("mnuNRM")->isChecked() && !Action("mnuZephyr")->isChecked());
        QVERIFY(!window_->session().level.has_value());
    }

    // Each command's menu entry and toolbar button reach it alike; the request
    // each shows first tells that it ran.
    void menuEntriesAndToolbarButtonsRunTheirCommands() {
        Open(dat_);
        // Menu entry, toolbar button, the node clicked first, the start of the first request.
        const std::array<const char*, 4> commands[] = {
            {"mnuUnpAll", "Button14", "", "folder: Select Directory..."},
            {"mnuUCALL", "Button15", "", "folder: Select Directory"},
            {"mnuDatInfo", "Button11", "", "message: Drossel: Oni Dat File Info:\r\nName: "},
            {"mnuUnp", "Button5", "k0", "save: Unpack resource...: wall.txmp"},
            {"mnuUC", "Button8", "k0", "save: Save Texture to BMP/TGA File...: wall"},
            {"mnuEF", "Button6", "TXMP", "folder: Select directory for unpacking files"},
            {"mnuECF", "Button9", "TXMP", "folder: Select the directory to export TXMPs to:"},
            {"mnuRaw", "Button2", "", "open: Open Oni raw File..."},  // cancelled: the level has no .raw path then
        };
        for (const auto& [entry, button, select, request] : commands) {
            for (const char* control : {entry, button}) {
                if (*select != '\0') Click(select);
                dialogs_.requests.clear();
                Action(control)->trigger();
                QVERIFY2(!dialogs_.requests.isEmpty() && dialogs_.requests.first().startsWith(request),
                         qPrintable(dialogs_.requests.join(QStringLiteral(" / ")) + " " + control));
            }
        }
        for (const auto& [control, zephyr] :
             {std::pair{"mnuZephyr", true}, {"mnuNRM", false}, {"Button16", true}, {"Button17", false}}) {
            Action(control)->trigger();
            QCOMPARE(Tree()->ItemOfKey("UNKN") != nullptr, zephyr);
            QCOMPARE(Action("mnuZephyr")->isChecked(), zephyr);
        }
        Click("k2");
        QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {},
                           Tree()->visualItemRect(Tree()->ItemOfKey("k2")).center());
        auto* info = window_->findChild<QDialog*>(QStringLiteral("Form2"));
        QVERIFY(info != nullptr && info->isVisible());
        QCOMPARE(info->findChild<QLineEdit*>(QStringLiteral("txt_name"))->text(), QStringLiteral("settings"));
        QCOMPARE(info->findChild<QLineEdit*>(QStringLiteral("txt_number"))->text(), QStringLiteral("2"));
    }

    void optionEntriesStoreTheirSettings() {
        const Options& o = window_->session().options;
        for (const char* entry : {"mnuBit24", "mnuCLwo65P", "mnuallgroups", "mnuwep60", "mnuDelGarbage"})
            Action(entry)->trigger();
        QCOMPARE(o.Image, ImageFormat::Bmp24);
        QCOMPARE(o.CharacterLwoFormat, 70);
        QCOMPARE(o.CharacterGroup, 6);
        QCOMPARE(o.WeaponLwoFormat, 60);
        QVERIFY(!Action("mnuwep65p")->isChecked());
        QVERIFY(o.DeleteGarbage);
        for (const char* entry : {"mnuPng", "mnuGlb", "mnuCGlb", "mnuwepGlb", "mnuL_glb", "mnuAllQuads"})
            Action(entry)->trigger();
        QCOMPARE(o.Image, ImageFormat::Png32);
        QCOMPARE(std::tuple(o.ModelLwoFormat, o.CharacterLwoFormat, o.WeaponLwoFormat, o.LevelFormat),
                 std::tuple(kGlb, kGlb, kGlb, kGlb));
        QVERIFY(o.AllQuadsGeometry && !Action("mnuwep60")->isChecked());
    }

    void treeClicksApplyTheSelectionRules() {
        Open(dat_);  // the commands' test clicks k0 and triggers them: they are enabled
        QVERIFY(!Action("mnuReplaceTexture")->isEnabled());
        Click("k0");
        QVERIFY(Action("mnuReplaceTexture")->isEnabled());
        WriteFileBytes(dir_ / "wall.bmp", EncodeBmp(PixelBuffer(4, 4, {8, 16, 24, 255}), 24));
        dialogs_.answers.push_back(QString::fromStdString(dir_ / "wall.bmp"));
        Action("mnuReplaceTexture")->trigger();
        QCOMPARE(window_->statusText(),
                 QStringLiteral("Status: Replaced wall with wall.bmp (32 bytes, 4 x 4 ARGB 1-5-5-5)"));
        Click("k1");
        QVERIFY(!Action("mnuReplaceTexture")->isEnabled());
        QVERIFY(AllEnabled({"mnuUC", "Button8"}, false));
        QCOMPARE(window_->session().selectedIndex, 1);
        Click("TXMP");
        QVERIFY(AllEnabled({"mnuEF", "mnuECF", "Button6", "Button9"}, true));
        QVERIFY(AllEnabled({"mnuUnp", "mnuUC", "Button5", "Button8"}, false));
        QCOMPARE(Tree()->ItemOfKey("TXMP")->data(0, ResourceTreeWidget::kImageRole).toInt(), 2);
    }

    void batchesLockWhatTheyMustAndShowTheirNode() {
        Open(dat_);
        UserInterface& port = window_->userInterface();
        port.LockForBatch(BatchLock::WholeFile, true);
        QVERIFY(!Tree()->isEnabled());
        QVERIFY(!window_->findChild<QMenu*>(QStringLiteral("mnuFile"))->menuAction()->isEnabled());
        QVERIFY(AllEnabled({"Button1", "Button3", "Button5", "Button12", "Button15"}, false));
        QVERIFY(AllEnabled({"Button16", "Button17"}, true));
        port.LockForBatch(BatchLock::WholeFile, false);
        QVERIFY(Tree()->isEnabled());
        QVERIFY(AllEnabled({"Button1", "Button3", "Button12", "Button15"}, true));
        QVERIFY(AllEnabled({"Button5", "Button8"}, false));  // they wait for the next click
        port.LockForBatch(BatchLock::Folder, true);
        QVERIFY(!window_->findChild<QWidget*>(QStringLiteral("Toolbar1"))->isEnabled());
        port.LockForBatch(BatchLock::Folder, false);
        port.SelectTreeNode("k1");
        QCOMPARE(ResourceTreeWidget::KeyOf(Tree()->currentItem()), std::string("k1"));
        port.Warn("Status: careful");
        QCOMPARE(window_->statusText(), QStringLiteral("Status: careful"));
    }

    void layoutRulesAndDialogFilters() {
        MainLayout layout = ComputeMainLayout({700, 500, 30, 20, 16, 100});
        QCOMPARE(*layout.tree, QRect(0, 31, 700, 436));  // 500 - 46 - 17.792; then 436 + 27.6
        QCOMPARE(layout.progressBar, QRect(0, 464, 700, 16));
        layout = ComputeMainLayout({300, 40, 30, 20, 16, 250});  // too low: the tree step is skipped
        QVERIFY(!layout.tree.has_value());
        QCOMPARE(layout.progressBar, QRect(0, 278, 300, 16));
        window_->resize(500, 380);
        QTRY_VERIFY(Tree()->geometry().bottom() <
                    window_->findChild<QWidget*>(QStringLiteral("ProgressBar1"))->geometry().top());
        QCOMPARE(QtFilterOf("LightWave (*.lwo)|*.lwo|All files|*.*"),
                 QStringLiteral("LightWave (*.lwo);;All files (*.*)"));
        QCOMPARE(QtFilterOf("Bitmap (*.bmp)|*.tga;*.x"), QStringLiteral("Bitmap (*.tga *.x)"));
        QCOMPARE(QtFilterOf("Anything"), QStringLiteral("Anything (*)"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
