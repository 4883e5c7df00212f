// The sound windows' wiring: menu entries, controls, and what they show of the core's answers.

#include "Fixture.h"
#include "app/SoundTools.h"
#include "convert/Converters.h"
#include "level/records/BulkRecords.h"
#include "ui/DialogProvider.h"
#include "ui/MainWindow.h"
#include "ui/tools/SoundViewerWindow.h"

#include <QAction>
#include <QDir>
#include <QTest>

using namespace drossel;

// Answers open dialogs with `path`, cancels the others and keeps the messages.
struct ScriptedDialogs : ui::DialogProvider {
    QString path;
    QStringList messages;
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return path; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString ExistingFolder(QWidget*, const QString&) override { return {}; }
    MessageAnswer Message(QWidget*, const QString& text, const QString&, MessageIcon, MessageButtons) override {
        messages << text;
        return MessageAnswer::Ok;
    }
};

class SoundWindowsTest : public QObject {
    Q_OBJECT
    testing::TempDir dir_;
    ScriptedDialogs dialogs_;
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
    testing::Bytes Wav() { return SoundWavOf(*window_.session().level, window_.session().level->at(1)); }

private slots:
    void entriesRefuseOtherKinds() {
        testing::LevelBuilder b;
        b.Add("ONGS", "settings");
        const std::uint32_t samples = b.AppendRaw(testing::Bytes(1000, 7));
        b.AddData("SNDD", "door", BytesOf(SoundRecord{{}, {}, {}, {}, 1000, samples, {}}));  // 1000 sample bytes
        window_.OpenLevelFile(QString::fromStdString(b.Write(dir_ / "level")));
        Trigger("mnuViewSndFile", 0);
        Trigger("mnuOverwriteSound", 0);
        QCOMPARE(dialogs_.messages, QStringList({kNotASoundToView, kNotASoundToReplace}));
        QVERIFY(window_.findChild<QDialog*>() == nullptr);  // no window opened
    }

    void viewerPlaysTheConvertersWav() {
        Trigger("mnuViewSndFile", 1);
        QCOMPARE(Text("FrmSoundFile", "Label1"), QStringLiteral("door.SNDD"));
        const QString path = window_.findChild<ui::SoundViewerWindow*>()->soundFilePath();
        QVERIFY(path.startsWith(QDir::tempPath() + "/"));
        QCOMPARE(testing::ReadFileBytes(path.toStdString()), Wav());
        Click("FrmSoundFile", "Command1");
        QVERIFY(!Control("FrmSoundFile", "Command3")->isEnabled());
        QVERIFY(window_.statusText().contains(QStringLiteral("door.SNDD")));  // no audio output, or playing
        Click("FrmSoundFile", "Command2");
        QVERIFY(Control("FrmSoundFile", "Command3")->isEnabled());
        window_.findChild<ui::SoundViewerWindow*>()->close();
        QVERIFY(!QFile::exists(path));
    }

    void replacementWritesTheChosenWav() {
        Trigger("mnuOverwriteSound", 1);
        QCOMPARE(Text("Form7", "Label2"), QStringLiteral("You can overwrite 1000 Bytes"));
        testing::WriteFileBytes(dir_ / "new.wav", Wav());
        dialogs_.path = QString::fromStdString(dir_ / "new.wav");
        Click("Form7", "Command1");
        QCOMPARE(Text("Form7", "Text1"), dialogs_.path);
        Click("Form7", "Command2");
        QVERIFY(!Control("Form7", "Command2")->isVisible());
        QCOMPARE(dialogs_.messages.last(), QString(kSoundReplaced));
    }
};

QTEST_MAIN(SoundWindowsTest)
#include "sound_windows_test.moc"
