// The main window driven as a person would: start state, captions, the open,
// .raw and close sequences, the option menus and Exit.

#include "WindowFixture.h"
#include "container/LoadDat.h"
#include "ui/QtUserInterface.h"

#include <QActionGroup>
#include <QDir>
#include <QMenuBar>
#include <QProgressBar>
#include <QToolBar>
#include <QtTest>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::ui::testing;

namespace {

const char* const kStartDisabled[] = {"mnuUnp",         "mnuUC",     "mnuEF",    "mnuECF",         "mnuDatInfo",
                                      "mnuResInfo",     "mnuUnpAll", "mnuUCALL", "mnuEditonitext", "mnuOverwriteSound",
                                      "mnuViewSndFile", "mnuZephyr", "mnuNRM",   "mnuAGQG"};
const int kStartDisabledButtons[] = {5, 6, 8, 9, 11, 12, 14, 15, 16, 17};
const char* const kAlwaysEnabled[] = {"mnuDat", "mnuRaw",     "mnuclose",      "mnuExit",    "mnuAbout",
                                      "mnuTga", "mnuBit",     "mnuLwo60",      "mnuCLwo65P", "mnuchar1",
                                      "mnuWav", "mnuL_lwo60", "mnuDelGarbage", "mnuwep60"};
// What a successful load enables: steps 10, 12 and 14 of the open sequence.
const char* const kEnabledByLoad[] = {"mnuDatInfo",        "mnuResInfo",     "mnuUnpAll", "mnuUCALL", "mnuEditonitext",
                                      "mnuOverwriteSound", "mnuViewSndFile", "mnuZephyr", "mnuNRM",   "mnuAGQG"};
const int kEnabledByLoadButtons[] = {11, 12, 14, 15, 16, 17};
const char* const kSelectionEntries[] = {"mnuUnp", "mnuUC", "mnuEF", "mnuECF"};
const int kSelectionButtons[] = {5, 6, 8, 9};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    std::string level_;
    std::string otherLevel_;
    std::string notALevel_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Form1> window_;

    QAction* Act(const char* name) { return ActionNamed(*window_, name); }
    QAction* Button(int position) { return window_->ToolbarButton(position); }

    void OpenThroughDialog(const std::string& path) {
        dialogs_->openAnswers.push_back(QString::fromStdString(path));
        Act("mnuDat")->trigger();
    }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        level_ = FixtureLevel().Write(dir_ / "level1_Final");
        LevelBuilder other;
        other.Add("TXMP", "other_texture");
        otherLevel_ = other.Write(dir_ / "other");
        notALevel_ = dir_ / "notes.dat";
        drossel::testing::WriteFileBytes(notALevel_, drossel::testing::Bytes(200, 0x41));
    }

    void init() {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        window_ = ShowWindow(*dialogs_);
        QVERIFY(window_);
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
    }

    void startStateDisablesEverythingThatNeedsAFile() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel"));
        QCOMPARE(window_->objectName(), QStringLiteral("Form1"));
        for (const char* name : kStartDisabled) QVERIFY2(!Act(name)->isEnabled(), name);
        for (int b : kStartDisabledButtons) QVERIFY2(!Button(b)->isEnabled(), qPrintable(QString::number(b)));
        for (const char* name : kAlwaysEnabled) QVERIFY2(Act(name)->isEnabled(), name);
        for (int b : {1, 2, 3}) QVERIFY(Button(b)->isEnabled());
        for (const char* menu : {"mnuFile", "mnuEdit", "mnuOptions", "mnuView", "mnuTools", "mnuhelp"}) {
            QVERIFY2(MenuNamed(*window_, menu)->menuAction()->isEnabled(), menu);
        }
        QVERIFY(TreeOf(*window_)->isEnabled());
        QCOMPARE(TreeOf(*window_)->topLevelItemCount(), 0);
        auto* progress = window_->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        QVERIFY(progress != nullptr);
        QCOMPARE(progress->minimum(), 0);
        QCOMPARE(progress->maximum(), 100);
        QVERIFY(window_->findChild<QWidget*>(QStringLiteral("StatusBar1")) != nullptr);
        QCOMPARE(window_->statusText(), QStringLiteral("Status: ---"));
    }

    void startStateChecksOnlyCharacterGroupAndWeapon() {
        QCOMPARE(window_->session().CharacterGroup, 5);
        QCOMPARE(window_->session().WeaponLwoFormat, 70);
        QVERIFY(Act("mnuchar5")->isChecked());
        QVERIFY(Act("mnuwep65p")->isChecked());
        for (const char* name :
             {"mnuTga", "mnuBit", "mnuTga24", "mnuBit24", "mnuLwo60", "mnuLwo65", "mnuLwo65P", "mnuCLwo60", "mnuCLwo65",
              "mnuCLwo65P", "mnuWav", "mnuL_lwo60", "mnuRwb", "mnuB3DbyVexa", "mnuB3DUVPlus", "mnuDelGarbage",
              "mnuwep60", "mnuchar1", "mnuallgroups"}) {
            QVERIFY2(!Act(name)->isChecked(), name);
        }
    }

    void menuTreeHasEveryCaptionInOrder() {
        struct Item {
            const char* name;
            const char* caption;  // "-" for a separator
        };
        const auto expect = [&](const char* menuName, const char* caption, std::initializer_list<Item> items) {
            QMenu* menu = MenuNamed(*window_, menuName);
            QCOMPARE(menu->title(), QString::fromLatin1(caption));
            const QList<QAction*> actions = menu->actions();
            QCOMPARE(actions.size(), qsizetype(items.size()));
            qsizetype i = 0;
            for (const Item& item : items) {
                QAction* a = actions[i++];
                QCOMPARE(a->objectName(), QString::fromLatin1(item.name));
                if (QByteArray(item.caption) == "-")
                    QVERIFY2(a->isSeparator(), item.name);
                else
                    QCOMPARE(a->text(), QString::fromLatin1(item.caption));
            }
        };
        const QList<QAction*> bar = window_->menuBar()->actions();
        QStringList top;
        for (QAction* a : bar) top << a->objectName();
        QCOMPARE(top, QStringList({"mnuFile", "mnuEdit", "mnuOptions", "mnuView", "mnuTools", "mnuhelp"}));

        expect("mnuFile", "File",
               {{"mnuDat", "Open Oni Dat File..."},
                {"mnuRaw", "Path for Oni Raw Data File..."},
                {"mnuclose", "Close"},
                {"s2", "-"},
                {"mnuExit", "Exit"}});
        expect("mnuEdit", "Edit",
               {{"mnuUnpAll", "Unpack ALL !"},
                {"mnuUCALL", "Unpack end convert supported files!"},
                {"s5", "-"},
                {"mnuUnp", "Unpack"},
                {"mnuUC", "Unpack and Convert"},
                {"mnuEF", "Export Folder"},
                {"mnuECF", "Export and Convert Folder"},
                {"s3", "-"},
                {"mnuDatInfo", "Dat File Info"},
                {"mnuResInfo", "Resource Info"}});
        expect("mnuOptions", "Options",
               {{"mnuTx", "Textures"},
                {"mnu3Dobj", "3D Objects"},
                {"chrModels", "Character 3D models"},
                {"mnuSounds", "Sounds"},
                {"mnuOniLevel10", "Oni Level"},
                {"mnuWepClass", "Weapon Class"}});
        expect("mnuTx", "Textures",
               {{"mnuTga", "Targa [32 bits]"},
                {"mnuBit", "Bitmap [32 bits]"},
                {"mnuTga24", "Targa [24 bits]"},
                {"mnuBit24", "Bitmap [24 bits]"}});
        expect("mnu3Dobj", "3D Objects",
               {{"mnuLwo60", "Lightwave 6.0"}, {"mnuLwo65", "Lightwave 6.5"}, {"mnuLwo65P", "Lightwave 6.5+"}});
        expect("chrModels", "Character 3D models",
               {{"mnuCLwo60", "Lightwave 6.0"},
                {"mnuCLwo65", "Lightwave 6.5"},
                {"mnuCLwo65P", "Lightwave 6.5+"},
                {"s7", "-"},
                {"mnuchargroups", "Groups"}});
        expect("mnuchargroups", "Groups",
               {{"mnuchar1", "Character #1"},
                {"mnuchar2", "Character #2"},
                {"mnuchar3", "Character #3"},
                {"mnuchar4", "Character #4"},
                {"mnuchar5", "Character #5"},
                {"mnuallgroups", "All Groups"}});
        expect("mnuSounds", "Sounds", {{"mnuWav", "Wave files Only"}});
        expect("mnuOniLevel10", "Oni Level",
               {{"mnuL_lwo60", "LightWave 6.0"},
                {"mnuRwb", "Raw 3D Binary"},
                {"mnuB3DbyVexa", "B3D by Vexa"},
                {"mnuB3DUVPlus", "B3D by Vexa + materials + UV"},
                {"mnuSep44", "-"},
                {"mnuDelGarbage", "Delete some garbage"}});
        expect("mnuWepClass", "Weapon Class", {{"mnuwep60", "LightWave 6.0"}, {"mnuwep65p", "LightWave 6.5+"}});
        expect("mnuView", "View", {{"mnuZephyr", "View resources as Zephyr"}, {"mnuNRM", "View resources as Normal"}});
        expect("mnuTools", "Tools",
               {{"mnuEditonitext", "Edit Oni Text File"},
                {"mnuOverwriteSound", "Replace Sound File..."},
                {"mnuViewSndFile", "View sound File..."},
                {"mnuAGQG", "Edit lights of Oni level..."}});
        expect("mnuhelp", "Info", {{"mnuAbout", "About Drossel"}});
    }

    void toolbarHasSeventeenPositionsWithTheirTooltips() {
        auto* toolbar = window_->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QVERIFY(toolbar != nullptr);
        const QList<QAction*> actions = toolbar->actions();
        QCOMPARE(actions.size(), 17);
        const QMap<int, QString> tooltips{{1, "Open Oni Dat File..."},
                                          {2, "Path For Oni RAW file..."},
                                          {3, "Close"},
                                          {5, "Unpack Resource..."},
                                          {6, "Export Folder..."},
                                          {8, "Unpack and Convert..."},
                                          {9, "Export and Convert Folder..."},
                                          {11, "Dat File Info..."},
                                          {12, "Resource Info..."},
                                          {14, "UnPackl ALL!"},
                                          {15, "UnPack and Convert Supported Resources!"},
                                          {16, "View as Zephyr"},
                                          {17, "View as Normal"}};
        for (int position = 1; position <= 17; ++position) {
            QAction* a = actions[position - 1];
            QCOMPARE(window_->ToolbarButton(position), a);
            if (tooltips.contains(position)) {
                QVERIFY(!a->isSeparator());
                QCOMPARE(a->toolTip(), tooltips[position]);
                QVERIFY2(!a->icon().isNull(), qPrintable(QString::number(position)));
            } else {
                QVERIFY2(a->isSeparator(), qPrintable(QString::number(position)));
            }
        }
        // Every button has an image of its own.
        QSet<QByteArray> distinct;
        for (int position : tooltips.keys()) {
            const QImage image = Button(position)->icon().pixmap(24).toImage();
            distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(distinct.size(), tooltips.size());
    }

    void openingALevelBringsTheWindowIntoTheLoadedState() {
        // Choices made before the load that the load must take back.
        for (const char* name : {"mnuBit24", "mnuLwo65P", "mnuCLwo65", "mnuRwb", "mnuchar2", "mnuwep60"}) {
            Act(name)->trigger();
        }
        OpenThroughDialog(level_);

        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [level1_Final.dat]"));
        QCOMPARE(window_->statusText(), QStringLiteral("Status: Loaded"));
        QCOMPARE(window_->session().rawPath, dir_ / "level1_Final.raw");
        for (const char* name : kEnabledByLoad) QVERIFY2(Act(name)->isEnabled(), name);
        for (int b : kEnabledByLoadButtons) QVERIFY2(Button(b)->isEnabled(), qPrintable(QString::number(b)));
        // Selection commands wait for a click in the tree.
        for (const char* name : kSelectionEntries) QVERIFY2(!Act(name)->isEnabled(), name);
        for (int b : kSelectionButtons) QVERIFY(!Button(b)->isEnabled());

        for (const char* name : {"mnuTga", "mnuLwo65", "mnuCLwo60", "mnuWav", "mnuL_lwo60"}) {
            QVERIFY2(Act(name)->isChecked(), name);
        }
        for (const char* name : {"mnuBit24", "mnuLwo65P", "mnuLwo60", "mnuCLwo65", "mnuRwb"}) {
            QVERIFY2(!Act(name)->isChecked(), name);
        }
        const Session& s = window_->session();
        QCOMPARE(s.ImageExtension, std::string(".tga"));
        QCOMPARE(s.ImageBits, 32);
        QCOMPARE(s.ModelLwoFormat, 65);
        QCOMPARE(s.CharacterLwoFormat, 60);
        QCOMPARE(s.LevelFormat, 1);
        // A load leaves the character group and the weapon layout alone.
        QCOMPARE(s.CharacterGroup, 2);
        QVERIFY(Act("mnuchar2")->isChecked());
        QCOMPARE(s.WeaponLwoFormat, 60);
        QVERIFY(Act("mnuwep60")->isChecked());

        QCOMPARE(TreeOf(*window_)->topLevelItemCount(), 61);
        QCOMPARE(window_->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->value(), 0);

        const auto opens = dialogs_->OfKind(DialogRequest::Kind::Open);
        QCOMPARE(opens.size(), std::size_t(1));
        QCOMPARE(opens[0].title, QStringLiteral("Open Oni Source Dat File..."));
        QCOMPARE(opens[0].proposedName, QString());
        QCOMPARE(opens[0].filter, QStringLiteral("Oni, Oni-II Source Dat File (*.dat)"));
        QVERIFY(dialogs_->messages().empty());
    }

    void aFileWithAWrongMagicIsRefused() {
        OpenThroughDialog(level_);
        OpenThroughDialog(notALevel_);

        const auto messages = dialogs_->messages();
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].text, QString::fromLatin1(kNotALevelMessage));
        QCOMPARE(messages[0].title, QStringLiteral("Drossel"));
        QCOMPARE(messages[0].icon, MessageIcon::Critical);
        QCOMPARE(window_->statusText(), QStringLiteral("Status: ---"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [level1_Final.dat]"));
        QCOMPARE(TreeOf(*window_)->topLevelItemCount(), 0);
        QVERIFY(window_->resourceTree().groups.empty());
        QCOMPARE(window_->session().table.count(), 0);
        // The menus keep the state the earlier load gave them.
        for (const char* name : kEnabledByLoad) QVERIFY2(Act(name)->isEnabled(), name);
    }

    void commandsOnARefusedFileDoNothing() {
        OpenThroughDialog(level_);
        OpenThroughDialog(notALevel_);
        const std::size_t before = dialogs_->requests.size();
        Act("mnuDatInfo")->trigger();
        Act("mnuResInfo")->trigger();
        Act("mnuZephyr")->trigger();
        QCOMPARE(dialogs_->requests.size(), before);
        QCOMPARE(TreeOf(*window_)->topLevelItemCount(), 0);
        QVERIFY(window_->findChild<QWidget*>(QStringLiteral("Form2")) == nullptr);
    }

    void cancellingTheOpenDialogChangesNothing() {
        OpenThroughDialog(level_);
        ClickItem(*window_, GroupItem(*window_, "TXMP"));
        const std::string raw = window_->session().rawPath;
        Act("mnuDat")->trigger();  // no answer queued: cancelled

        QCOMPARE(dialogs_->OfKind(DialogRequest::Kind::Open).size(), std::size_t(2));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [level1_Final.dat]"));
        QCOMPARE(window_->statusText(), QStringLiteral("Status: Loaded"));
        QCOMPARE(TreeOf(*window_)->topLevelItemCount(), 61);
        QCOMPARE(window_->session().table.count(), 8);
        QCOMPARE(window_->session().rawPath, raw);
        QVERIFY(Act("mnuEF")->isEnabled());
    }

    void anotherOpenReplacesTheLevel() {
        OpenThroughDialog(level_);
        OpenThroughDialog(otherLevel_);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [other.dat]"));
        QCOMPARE(window_->session().table.count(), 1);
        QCOMPARE(GroupItem(*window_, "TXMP")->childCount(), 1);
        QCOMPARE(GroupItem(*window_, "TXMP")->child(0)->text(0), QStringLiteral("other_texture"));
    }

    void theRawChooserReportsItsChoice() {
        const QString raw = QString::fromStdString(dir_ / "elsewhere.raw");
        dialogs_->openAnswers.push_back(raw);
        Act("mnuRaw")->trigger();  // works without a level

        QCOMPARE(window_->session().rawPath, raw.toStdString());
        const auto opens = dialogs_->OfKind(DialogRequest::Kind::Open);
        QCOMPARE(opens.size(), std::size_t(1));
        QCOMPARE(opens[0].title, QStringLiteral("Open Oni raw File..."));
        QCOMPARE(opens[0].filter, QStringLiteral("Oni Raw Data File (*.raw)"));
        const auto messages = dialogs_->messages();
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].text, QStringLiteral("RAW File = ") + raw);
        QCOMPARE(messages[0].title, QStringLiteral("Drossel"));
        QCOMPARE(messages[0].icon, MessageIcon::Information);
    }

    void cancellingTheRawChooserLeavesNoRawPath() {
        OpenThroughDialog(level_);
        Button(2)->trigger();  // the toolbar button runs the same command
        QCOMPARE(dialogs_->OfKind(DialogRequest::Kind::Open).size(), std::size_t(2));
        QCOMPARE(window_->session().rawPath, std::string());
        QVERIFY(dialogs_->messages().empty());
    }

    void closeReturnsToTheStateWithoutAFile() {
        Act("mnuTga24")->trigger();
        OpenThroughDialog(level_);
        Act("mnuBit")->trigger();
        ClickItem(*window_, ResourceItem(*window_, 0));
        QVERIFY(Act("mnuUnp")->isEnabled());
        window_->userInterface().LockForBatch(BatchLock::WholeFile, true);
        window_->userInterface().LockForBatch(BatchLock::WholeFile, false);
        window_->userInterface().SetProgressMaximum(8);
        window_->userInterface().SetProgressValue(5);

        Act("mnuclose")->trigger();

        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel"));
        QCOMPARE(window_->statusText(), QStringLiteral("Satus: ---"));
        QCOMPARE(TreeOf(*window_)->topLevelItemCount(), 0);
        QVERIFY(TreeOf(*window_)->isEnabled());
        QCOMPARE(window_->session().table.count(), 0);
        for (const char* name : kStartDisabled) QVERIFY2(!Act(name)->isEnabled(), name);
        for (int b : kStartDisabledButtons) QVERIFY2(!Button(b)->isEnabled(), qPrintable(QString::number(b)));
        QVERIFY(MenuNamed(*window_, "mnuFile")->menuAction()->isEnabled());
        QVERIFY(MenuNamed(*window_, "mnuEdit")->menuAction()->isEnabled());
        auto* progress = window_->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        QCOMPARE(progress->value(), 0);
        QCOMPARE(progress->maximum(), 100);
        // Paths and options stay.
        QCOMPARE(window_->session().datPath, level_);
        QCOMPARE(window_->session().rawPath, dir_ / "level1_Final.raw");
        QCOMPARE(window_->session().ImageExtension, std::string(".bmp"));
        QVERIFY(Act("mnuBit")->isChecked());
    }

    void optionEntriesStoreTheirValues() {
        Session& s = window_->session();
        const struct {
            const char* name;
            std::function<bool()> stored;
        } cases[] = {
            {"mnuBit", [&] { return s.ImageExtension == ".bmp" && s.ImageBits == 32; }},
            {"mnuTga24", [&] { return s.ImageExtension == ".tga" && s.ImageBits == 24; }},
            {"mnuBit24", [&] { return s.ImageExtension == ".bmp" && s.ImageBits == 24; }},
            {"mnuTga", [&] { return s.ImageExtension == ".tga" && s.ImageBits == 32; }},
            {"mnuLwo60", [&] { return s.ModelLwoFormat == 60; }},
            {"mnuLwo65P", [&] { return s.ModelLwoFormat == 70; }},
            {"mnuLwo65", [&] { return s.ModelLwoFormat == 65; }},
            {"mnuCLwo65", [&] { return s.CharacterLwoFormat == 65; }},
            {"mnuCLwo65P", [&] { return s.CharacterLwoFormat == 70; }},
            {"mnuCLwo60", [&] { return s.CharacterLwoFormat == 60; }},
            {"mnuchar1", [&] { return s.CharacterGroup == 1; }},
            {"mnuchar4", [&] { return s.CharacterGroup == 4; }},
            {"mnuallgroups", [&] { return s.CharacterGroup == 6; }},
            {"mnuWav", [&] { return s.WavExtension == ".wav"; }},
            {"mnuRwb", [&] { return s.LevelFormat == 6; }},
            {"mnuB3DbyVexa", [&] { return s.LevelFormat == 7; }},
            {"mnuB3DUVPlus", [&] { return s.LevelFormat == 8; }},
            {"mnuL_lwo60", [&] { return s.LevelFormat == 1; }},
            {"mnuwep60", [&] { return s.WeaponLwoFormat == 60; }},
            {"mnuwep65p", [&] { return s.WeaponLwoFormat == 70; }},
        };
        for (const auto& c : cases) {
            QAction* a = Act(c.name);
            a->trigger();
            QVERIFY2(c.stored(), c.name);
            QVERIFY2(a->isChecked(), c.name);
            // Radio groups: the entry is the only one checked in its menu.
            for (QAction* sibling : a->actionGroup()->actions()) {
                if (sibling != a) QVERIFY2(!sibling->isChecked(), qPrintable(sibling->objectName()));
            }
        }
    }

    void deleteSomeGarbageToggles() {
        QAction* garbage = Act("mnuDelGarbage");
        QVERIFY(garbage->actionGroup() == nullptr);
        QVERIFY(!garbage->isChecked());
        QVERIFY(!window_->session().DeleteGarbage);
        garbage->trigger();
        QVERIFY(garbage->isChecked());
        QVERIFY(window_->session().DeleteGarbage);
        garbage->trigger();
        QVERIFY(!garbage->isChecked());
        QVERIFY(!window_->session().DeleteGarbage);
        // The level format entries do not touch it.
        garbage->trigger();
        Act("mnuB3DUVPlus")->trigger();
        QVERIFY(garbage->isChecked());
    }

    void aPathFromTheCommandLineOpensLikeTheDialog() {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir_.path()));
        window_->OpenLevelFile(QStringLiteral("level1_Final.dat"));
        QDir::setCurrent(previous);

        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel - [level1_Final.dat]"));
        QCOMPARE(window_->session().datPath, level_);
        QCOMPARE(window_->session().rawPath, dir_ / "level1_Final.raw");
        QVERIFY(dialogs_->requests.empty());
        QVERIFY(Act("mnuZephyr")->isEnabled());
    }

    void aRefusedPathFromTheCommandLineLeavesTheEmptyWindow() {
        window_->OpenLevelFile(QString::fromStdString(notALevel_));
        QCOMPARE(dialogs_->messages().size(), std::size_t(1));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Drossel"));
        QVERIFY(!Act("mnuDatInfo")->isEnabled());
    }

    void exitClosesTheWindowAndItsToolWindows() {
        OpenThroughDialog(level_);
        Act("mnuAbout")->trigger();
        ClickItem(*window_, ResourceItem(*window_, 1));
        Act("mnuResInfo")->trigger();
        auto* info = window_->findChild<QWidget*>(QStringLiteral("Form2"));
        auto* about = window_->findChild<QWidget*>(QStringLiteral("Form4"));
        QVERIFY(info != nullptr && info->isVisible());
        QVERIFY(about != nullptr && about->isVisible());

        Act("mnuExit")->trigger();

        QVERIFY(!window_->isVisible());
        QVERIFY(!info->isVisible());
        QVERIFY(!about->isVisible());
        QCOMPARE(window_->session().table.count(), 0);
        QCOMPARE(TreeOf(*window_)->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
