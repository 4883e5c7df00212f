// QtUserInterface, the port the core talks to, and the real Qt dialogs behind it.

#include "ScriptedDialogs.h"
#include "ui/DialogProvider.h"
#include "ui/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::ui::testing;

namespace {

// Runs `handle` on the first modal dialog that comes up, from inside its event loop.
void WhenModalDialogOpens(std::function<void(QWidget*)> handle) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, handle] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            handle(dialog);
        }
    });
    timer->start();
}

}  // namespace

class UserInterfaceTest : public QObject {
    Q_OBJECT

    QWidget owner_;
    QLabel status_;
    QProgressBar progress_;
    ScriptedDialogs dialogs_;

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() { dialogs_ = ScriptedDialogs(); }

    void filtersTakeQtsForm_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one entry") << "Oni, Oni-II Source Dat File (*.dat)|*.dat"
                                   << "Oni, Oni-II Source Dat File (*.dat)";
        QTest::newRow("two entries") << "LightWave (*.lwo)|*.lwo|All files|*.*"
                                     << "LightWave (*.lwo);;All files (*.*)";
        QTest::newRow("several patterns") << "Images|*.bmp;*.tga"
                                          << "Images (*.bmp *.tga)";
        QTest::newRow("pattern wins over the description") << "Bitmap (*.bmp)|*.tga"
                                                           << "Bitmap (*.tga)";
        QTest::newRow("description without pattern") << "Anything"
                                                     << "Anything (*)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void filtersTakeQtsForm() {
        QFETCH(QString, given);
        QFETCH(QString, qt);
        QCOMPARE(QtFilterOf(given.toStdString()), qt);
    }

    void fileDialogsGetTitleNameAndFilter() {
        QtUserInterface ui(&owner_, &status_, &progress_, dialogs_);
        dialogs_.saveAnswers.push_back(QStringLiteral("/out/wall.tga"));
        QCOMPARE(ui.AskSavePath({"Unpack resource...", "wall", "Targa (*.tga)|*.tga"}), std::string("/out/wall.tga"));
        QCOMPARE(ui.AskOpenPath({"Open Oni raw File...", "", "Oni Raw Data File (*.raw)|*.raw"}), std::string());
        QCOMPARE(dialogs_.requests.size(), std::size_t(2));
        QCOMPARE(dialogs_.requests[0].kind, DialogRequest::Kind::Save);
        QCOMPARE(dialogs_.requests[0].title, QStringLiteral("Unpack resource..."));
        QCOMPARE(dialogs_.requests[0].proposedName, QStringLiteral("wall"));
        QCOMPARE(dialogs_.requests[0].filter, QStringLiteral("Targa (*.tga)"));
        QCOMPARE(dialogs_.requests[1].kind, DialogRequest::Kind::Open);
        QCOMPARE(dialogs_.requests[1].filter, QStringLiteral("Oni Raw Data File (*.raw)"));
    }

    void browseForFolderUsesTheCallersCaption() {
        QtUserInterface ui(&owner_, &status_, &progress_, dialogs_);
        dialogs_.folderAnswers.push_back(QStringLiteral("/tmp/out"));
        QCOMPARE(ui.BrowseForFolder("Select directory for unpacking files"), std::string("/tmp/out"));
        QCOMPARE(ui.BrowseForFolder(""), std::string());
        QCOMPARE(dialogs_.requests[0].title, QStringLiteral("Select directory for unpacking files"));
        QCOMPARE(dialogs_.requests[1].title, QStringLiteral("Select Directory"));
    }

    void messagesPassTheirTitleIconAndButtons() {
        QtUserInterface ui(&owner_, &status_, &progress_, dialogs_);
        dialogs_.messageAnswers.push_back(MessageAnswer::No);
        QCOMPARE(ui.ShowMessage("Collect all texts?", "Drossel", MessageIcon::Question, MessageButtons::YesNoCancel),
                 MessageAnswer::No);
        QCOMPARE(dialogs_.requests[0].text, QStringLiteral("Collect all texts?"));
        QCOMPARE(dialogs_.requests[0].title, QStringLiteral("Drossel"));
        QCOMPARE(dialogs_.requests[0].icon, MessageIcon::Question);
        QCOMPARE(dialogs_.requests[0].buttons, MessageButtons::YesNoCancel);
    }

    void statusAndProgressGoToTheirWidgets() {
        QtUserInterface ui(&owner_, &status_, &progress_, dialogs_);
        ui.SetStatusText("Status: Converting wall");
        QCOMPARE(status_.text(), QStringLiteral("Status: Converting wall"));
        ui.SetProgressMaximum(40);
        ui.SetProgressValue(40);
        QCOMPARE(progress_.maximum(), 40);
        QCOMPARE(progress_.value(), 40);
        // An empty level must not turn the bar into a busy indicator.
        ui.SetProgressMaximum(0);
        ui.SetProgressValue(0);
        QVERIFY(progress_.maximum() > progress_.minimum());
        QCOMPARE(progress_.value(), 0);
        // A loop over every record ends on its last value and back at 0.
        ui.SetProgressMaximum(100000);
        for (int i = 1; i <= 100000; ++i) {
            ui.SetProgressValue(i);
            if (i == 50000) QVERIFY(progress_.value() > 49000);
        }
        QCOMPARE(progress_.value(), 100000);
        ui.SetProgressValue(0);
        QCOMPARE(progress_.value(), 0);
        ui.FileWritten("/out/wall.tga");
        QVERIFY(status_.toolTip().contains(QStringLiteral("/out/wall.tga")));
    }

    void realMessageBoxShowsTitleIconTextAndAnswers() {
        QtDialogProvider provider;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        WhenModalDialogOpens([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(QMessageBox::Cancel)->click();
        });
        const MessageAnswer answer =
            provider.Message(&owner_, QStringLiteral("Line one\r\nLine two\r\n"), QStringLiteral("Drossel"),
                             MessageIcon::Exclamation, MessageButtons::OkCancel);
        QCOMPARE(answer, MessageAnswer::Cancel);
        QCOMPARE(title, QStringLiteral("Drossel"));
        QCOMPARE(text, QStringLiteral("Line one\nLine two"));
        QCOMPARE(icon, QMessageBox::Warning);
    }

    void realSaveDialogAsksBeforeOverwriting() {
        QtDialogProvider provider;
        QTemporaryDir dir;
        QString title;
        QStringList filters;
        bool confirms = false;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        WhenModalDialogOpens([&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files != nullptr);
            title = files->windowTitle();
            filters = files->nameFilters();
            confirms = !files->testOption(QFileDialog::DontConfirmOverwrite);
            mode = files->acceptMode();
            files->reject();
        });
        const QString chosen =
            provider.SaveFileName(&owner_, QStringLiteral("Unpack resource..."), dir.filePath(QStringLiteral("wall")),
                                  QStringLiteral("Targa (*.tga);;Bitmap (*.bmp)"));
        QCOMPARE(chosen, QString());
        QCOMPARE(title, QStringLiteral("Unpack resource..."));
        QCOMPARE(filters, QStringList({"Targa (*.tga)", "Bitmap (*.bmp)"}));
        QVERIFY(confirms);
        QCOMPARE(mode, QFileDialog::AcceptSave);
    }

    void realFolderChooserReturnsTheChosenFolder() {
        QtDialogProvider provider;
        QTemporaryDir dir;
        QString caption;
        WhenModalDialogOpens([&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files != nullptr);
            caption = files->windowTitle();
            QCOMPARE(files->fileMode(), QFileDialog::Directory);
            // Typed, as a person would: the dialog's folder list fills in the background.
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->setText(dir.path());
            static_cast<QDialog*>(files)->accept();  // QFileDialog::accept is protected
        });
        const QString chosen = provider.ExistingFolder(&owner_, QStringLiteral("Select Directory..."));
        QCOMPARE(caption, QStringLiteral("Select Directory..."));
        QCOMPARE(QDir(chosen).canonicalPath(), QDir(dir.path()).canonicalPath());
    }
};

QTEST_MAIN(UserInterfaceTest)
#include "user_interface_test.moc"
