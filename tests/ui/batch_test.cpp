// The Edit menu's whole-file batches from the window, on the demo level: every
// listed resource unpacked, every texture, the large texture and the key icons
// converted, in the format the Textures option chose.

#include "DemoLevel.h"
#include "WindowFixture.h"
#include "image/ChannelScale.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QtTest>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::ui::testing;
using drossel::testing::ReadFileBytes;

class BatchTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    QString level_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Form1> window_;

    QAction* Act(const char* name) { return ActionNamed(*window_, name); }

    QString OutputFolder(const char* name) {
        const QString folder = QString::fromStdString(dir_ / name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        return folder;
    }
    static QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        level_ = QString::fromStdString(drossel::demo::BuildDemoLevel().Write(dir_ / "level1"));
    }

    void init() {
        dialogs_ = std::make_unique<ScriptedDialogs>();
        window_ = ShowWindow(*dialogs_, level_.toStdString());
        QVERIFY(window_);
        QVERIFY(window_->session().loaded);
    }

    void cleanup() {
        window_.reset();
        dialogs_.reset();
    }

    void unpackAllWritesOneFilePerResourceButTheHiddenOne() {
        const QString folder = OutputFolder("unpacked");
        dialogs_->folderAnswers.push_back(folder);

        Act("mnuUnpAll")->trigger();

        const Session& s = window_->session();
        QStringList expected;
        for (const ResourceRecord& r : s.table.records) {
            if (r.flags != kHiddenFlags) expected << QString::fromStdString(r.name + "." + r.tag);
        }
        expected.sort();
        QCOMPARE(FilesIn(folder), expected);
        QCOMPARE(expected.size(), s.table.count() - 1);
        QCOMPARE(ReadFileBytes((folder + "/wall_arrow_dxt1.TXMP").toStdString()).size(),
                 std::size_t(192 + 64 * 64 / 2));
        QVERIFY(dialogs_->messages().empty());
        QCOMPARE(window_->statusText(), QStringLiteral("Status: Unpacked"));
        QVERIFY(MenuNamed(*window_, "mnuEdit")->menuAction()->isEnabled());
        QVERIFY(TreeOf(*window_)->isEnabled());
    }

    void convertAllWritesTexturesLargeTextureAndKeyIconsAsChosen() {
        Act("mnuBit24")->trigger();
        const QString folder = OutputFolder("converted");
        dialogs_->folderAnswers.push_back(folder);

        Act("mnuUCALL")->trigger();

        const Session& s = window_->session();
        QStringList expected;
        for (const ResourceRecord& r : s.table.records) {
            if (r.tag == "TXMP" || r.tag == "TXMB" || r.tag == "KeyI")
                expected << QString::fromStdString(r.name + ".bmp");
        }
        expected.sort();
        QCOMPARE(expected.size(), 24);
        QCOMPARE(FilesIn(folder), expected);
        QCOMPARE(dialogs_->OfKind(DialogRequest::Kind::Folder)[0].title, QStringLiteral("Select Directory"));
        QVERIFY(dialogs_->messages().empty());

        // Qt reads the pictures back: sizes, and the arrows point up.
        const QImage title(folder + "/title_screen.bmp");
        QCOMPARE(title.size(), QSize(640, 512));
        // The title's backdrop (20, 30, 90) as its 1-5-5-5 tiles store it.
        QCOMPARE(title.pixelColor(10, 10), QColor(Scale5(20 >> 3), Scale5(30 >> 3), Scale5(90 >> 3)));
        QCOMPARE(title.pixelColor(10, 500), QColor(0, 0, 0));  // below the 480 rows the tiles cover
        const QImage keys(folder + "/KeyIcons.bmp");
        QCOMPARE(keys.size(), QSize(320, 32));
        QCOMPARE(ReadFileBytes((folder + "/KeyIcons.bmp").toStdString()).size(), std::size_t(54 + 320 * 32 * 3));
        const QImage arrow(folder + "/wall_arrow.bmp");
        QCOMPARE(arrow.size(), QSize(64, 64));
        // Near the top the arrow's tip is narrower than its shaft near the bottom.
        const QColor ink(255, 255, 0);
        int topInk = 0, bottomInk = 0;
        for (int x = 0; x < 32; ++x) {
            topInk += arrow.pixelColor(x, 5) == ink ? 1 : 0;
            bottomInk += arrow.pixelColor(x, 57) == ink ? 1 : 0;
        }
        QVERIFY2(topInk > 0 && topInk < bottomInk, qPrintable(QString("%1 %2").arg(topInk).arg(bottomInk)));
        QVERIFY(MenuNamed(*window_, "mnuFile")->menuAction()->isEnabled());
        QVERIFY(TreeOf(*window_)->isEnabled());
    }
};

QTEST_MAIN(BatchTest)
#include "batch_test.moc"
