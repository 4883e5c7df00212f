// The Tools windows' wiring: menu entries, controls, and what they show of the
// core's answers. The editors' windows change the .dat as drossel-cli does.

#include "Fixture.h"
#include "ScriptedDialogs.h"
#include "app/EditReports.h"
#include "app/LightingEditor.h"
#include "app/SoundTools.h"
#include "app/StringEditor.h"
#include "convert/Converters.h"
#include "level/records/BulkRecords.h"
#include "ui/MainWindow.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/SoundPlayer.h"
#include "ui/tools/SoundViewerWindow.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace drossel;
using namespace drossel::testing;

class ToolWindowsTest : public QObject {
    Q_OBJECT
    TempDir dir_;
    ui::ScriptedDialogs dialogs_;
    ui::MainWindow window_{&dialogs_};

    void Trigger(const char* entry, int selected) {
        window_.session().selectedIndex = selected;
        window_.findChild<QAction*>(QLatin1String(entry))->trigger();
    }
    QWidget* Control(const char* window, const char* name) {
        return window_.findChild<QWidget*>(QLatin1String(window))->findChild<QWidget*>(QLatin1String(name));
    }
    QString Text(const char* window, const char* name) { return Control(window, name)->property("text").toString(); }
    void Click(const char* window, const char* name) { QTest::mouseClick(Control(window, name), Qt::LeftButton); }
    Bytes Wav() { return SoundWavOf(*window_.session().level, window_.session().level->at(1)); }

    // The demo level, open, and a copy of it for drossel-cli to edit alongside the windows.
    const LevelBuilder demo_ = demo::BuildDemoLevel();
    std::string dat_, copy_;
    void OpenDemo() {
        dat_ = demo_.Write(dir_ / "demo");
        copy_ = demo_.Write(dir_ / "copy");
        window_.OpenLevelFile(QString::fromStdString(dat_));
    }
    int Named(const std::string& name) { return demo_.IndexNamed(name); }
    void Type(const char* window, const char* box, const QString& text) {
        static_cast<QLineEdit*>(Control(window, box))->setText(text);
    }
    // As a person types: the box's edit signals run.
    void Edit(const char* window, const char* box, const QString& text) {
        static_cast<QLineEdit*>(Control(window, box))->clear();
        QTest::keyClicks(Control(window, box), text);
    }
    // The edit by drossel-cli on the copy gives the same bytes as the window's on the level.
    void SameAsCli(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin() + 1, copy_);
        const auto cli = RunCli(arguments);
        QVERIFY2(cli.exitCode == 0, cli.err.c_str());
        QVERIFY(ReadFileBytes(dat_) == ReadFileBytes(copy_));
    }

private slots:
    void entriesRefuseOtherKinds() {
        LevelBuilder b;
        b.Add("ONGS", "settings");
        const std::uint32_t samples = b.AppendRaw(Bytes(1000, 7));
        b.AddData("SNDD", "door", BytesOf(SoundRecord{{}, {}, {}, {}, 1000, samples, {}}));  // 1000 sample bytes
        window_.OpenLevelFile(QString::fromStdString(b.Write(dir_ / "level")));
        for (const char* entry : {"mnuViewSndFile", "mnuOverwriteSound", "mnuEditonitext", "mnuAGQG"})
            Trigger(entry, 0);
        QCOMPARE(dialogs_.messages,
                 QStringList({kNotASoundToView, kNotASoundToReplace, kNotAString, kNotALightingList}));
        QVERIFY(window_.findChild<QDialog*>() == nullptr);  // no window opened
    }

    void viewerPlaysTheConvertersWav() {
        Trigger("mnuViewSndFile", 1);
        QCOMPARE(Text("FrmSoundFile", "Label1"), QStringLiteral("door.SNDD"));
        const QString path = window_.findChild<ui::SoundViewerWindow*>()->soundFilePath();
        QVERIFY(path.startsWith(QDir::tempPath() + "/"));
        QCOMPARE(ReadFileBytes(path.toStdString()), Wav());
        // "Next" waits only while something plays; without an output the viewer says so itself.
        Click("FrmSoundFile", "Command1");
        const bool plays = ui::SoundPlayer::HasOutput();
        QCOMPARE(Control("FrmSoundFile", "Command3")->isEnabled(), !plays);
        if (!plays) QVERIFY(Text("FrmSoundFile", "Label3").contains(QStringLiteral("no audio output")));
        QVERIFY(window_.statusText().contains(QStringLiteral("door.SNDD")));
        Click("FrmSoundFile", "Command2");
        QVERIFY(Control("FrmSoundFile", "Command3")->isEnabled());
        window_.findChild<ui::SoundViewerWindow*>()->close();
        QVERIFY(!QFile::exists(path));
    }

    void replacementWritesTheChosenWav() {
        Trigger("mnuOverwriteSound", 1);
        QCOMPARE(Text("Form7", "Label2"), QStringLiteral("You can overwrite 1000 Bytes"));
        QCOMPARE(Text("Form7", "Label3"), QStringLiteral("Replacing door: 0 Hz, 0 channels, 1000 bytes (0.00 s)"));
        WriteFileBytes(dir_ / "new.wav", Wav());
        dialogs_.answers.push_back(QString::fromStdString(dir_ / "new.wav"));
        Click("Form7", "Command1");
        QCOMPARE(Text("Form7", "Text1"), QString::fromStdString(dir_ / "new.wav"));
        Click("Form7", "Command2");
        QVERIFY(!Control("Form7", "Command2")->isVisible());
        QCOMPARE(dialogs_.messages.last(), QString(kSoundReplaced));
        QVERIFY(window_.statusText().startsWith(QStringLiteral("Status: Replaced door with new.wav: 1000 of")));
    }
    void lightingEditorShowsMovesAndWritesColours() {
        OpenDemo();
        const int quads = Named("level1_AGQG");
        Trigger("mnuAGQG", quads);
        QCOMPARE(Text("Form5", "Label1"), QStringLiteral("File name: level1_AGQG.AGQG"));
        QCOMPARE(Text("Form5", "Label3"), QStringLiteral("Light Data: 0 of 15"));
        // A scroll bar moves its box and its swatch, not the quad.
        const QString red = Text("Form5", "Text3");
        static_cast<QScrollBar*>(Control("Form5", "HScroll8"))->setValue(200);
        QCOMPARE(Text("Form5", "Text3"), QStringLiteral("200"));
        const QColor swatch = Control("Form5", "Shape1")->palette().color(QPalette::Window);
        QCOMPARE(swatch, QColor(200, Text("Form5", "Text2").toInt(), Text("Form5", "Text1").toInt()));
        auto* slider = static_cast<QScrollBar*>(Control("Form5", "HScroll2"));
        slider->setValue(5);
        slider->setValue(0);
        QCOMPARE(Text("Form5", "Text3"), red);
        // A typed byte moves its scroll bar and swatch; moving to another quad drops it.
        Edit("Form5", "Text1", QStringLiteral("77"));
        QCOMPARE(static_cast<QScrollBar*>(Control("Form5", "HScroll6"))->value(), 77);
        QCOMPARE(Control("Form5", "Shape1")->palette().color(QPalette::Window).blue(), 77);
        slider->setValue(5);
        QVERIFY(Text("Form5", "Text1") != QStringLiteral("77"));
        Type("Form5", "Text2", QStringLiteral("abc"));
        Click("Form5", "Command5");
        QVERIFY(Text("Form5", "Label5").contains(QStringLiteral("\"abc\" is not a whole number")));
        // OK says why it cannot apply what is typed, and stays open; the error goes with the quad.
        Click("Form5", "Command1");
        QVERIFY(Control("Form5", "Command1")->isVisible() && Text("Form5", "Label5").contains(QStringLiteral("abc")));
        slider->setValue(6);
        slider->setValue(5);
        QVERIFY(Text("Form5", "Label5").isEmpty());
        Click("Form5", "Command5");
        QCOMPARE(Text("Form5", "Label5"), QString(kLightChanged));
        // OK applies what is typed for the quad shown.
        for (int box = 1; box <= 16; ++box)
            Type("Form5", qPrintable(QStringLiteral("Text%1").arg(box)), QString::number(box));
        Click("Form5", "Command1");
        QVERIFY(!Control("Form5", "Command1")->isVisible());
        QCOMPARE(window_.statusText(),
                 QString::fromStdString(LightsSavedText(*window_.session().level, quads,
                                                        LightingEditor(*window_.session().level, quads).quadCount())));
        SameAsCli({"set-lights", std::to_string(quads), "--quad", "5", "--colours", "1,2,3,4", "5,6,7,8", "9,10,11,12",
                   "13,14,15,16"});

        Trigger("mnuAGQG", quads);
        for (auto [box, value] : {std::pair{"Text9", "10"}, {"Text10", "20"}, {"Text11", "30"}, {"Text12", "255"}})
            Type("Form5", box, QString::fromLatin1(value));
        Click("Form5", "Command7");
        QCOMPARE(Text("Form5", "Label5"), QString(kLightChangedAll));
        Click("Form5", "Command1");
        SameAsCli({"set-lights", std::to_string(quads), "--all-quads", "--colour", "3", "10,20,30,255"});

        const auto before = ReadFileBytes(dat_);
        Trigger("mnuAGQG", quads);
        Click("Form5", "Command6");
        Click("Form5", "Command2");
        QVERIFY(ReadFileBytes(dat_) == before);
        // The .dat shrank meanwhile: a message, and the window stays open with its changes.
        Trigger("mnuAGQG", quads);
        WriteFileBytes(dat_, {});
        Click("Form5", "Command1");
        QVERIFY(dialogs_.messages.last().startsWith(QStringLiteral("The lights were not saved: ")));
        QVERIFY(Control("Form5", "Command1")->isVisible());
        WriteFileBytes(dat_, before);
        Click("Form5", "Command2");
    }

    void stringEditorSavesBlankFilledText() {
        const int title = Named("mission_title");
        Trigger("mnuEditonitext", Named("objective_text"));
        QCOMPARE(static_cast<QLineEdit*>(Control("Form6", "Text1"))->maxLength(), 392);
        Trigger("mnuEditonitext", title);
        auto* text = static_cast<QLineEdit*>(Control("Form6", "Text1"));
        QCOMPARE(text->maxLength(), 152);
        QCOMPARE(text->text(), QStringLiteral("Mission 1: The Warehouse"));
        const auto before = ReadFileBytes(dat_);
        text->setText(QStringLiteral("Bye"));
        Click("Form6", "Command2");
        QVERIFY(ReadFileBytes(dat_) == before);
        Trigger("mnuEditonitext", title);
        text->setText(QStringLiteral("Hello"));
        Click("Form6", "Command1");
        QVERIFY(!text->isVisible());
        QCOMPARE(window_.statusText(),
                 QString::fromStdString("Status: Saved the text of mission_title (TStr) into " + dat_));
        SameAsCli({"set-string", std::to_string(title), "Hello"});
    }

    // On the demo's two sounds: their facts, "Next" to the other and back, the tree following, and the tree followed.
    void viewerStepsAndFollowsTheTree() {
        OpenDemo();
        const int door = Named("door_open.aif"), crowd = Named("crowd_cheer.aif");
        Trigger("mnuViewSndFile", door);
        QVERIFY(Text("FrmSoundFile", "Label2").startsWith(QStringLiteral("Microsoft ADPCM, ")));
        Click("FrmSoundFile", "Command3");
        QCOMPARE(Text("FrmSoundFile", "Label1"), QStringLiteral("crowd_cheer.aif.SNDD"));
        QCOMPARE(window_.session().selectedIndex, crowd);
        Click("FrmSoundFile", "Command3");
        QCOMPARE(Text("FrmSoundFile", "Label1"), QStringLiteral("door_open.aif.SNDD"));
        auto* tree = window_.findChild<ui::ResourceTreeWidget*>();
        QTreeWidgetItem* item = tree->ItemOfIndex(crowd);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        QCOMPARE(Text("FrmSoundFile", "Label1"), QStringLiteral("crowd_cheer.aif.SNDD"));
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"
