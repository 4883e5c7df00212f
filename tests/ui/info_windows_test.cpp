// "Dat File Info", "Resource Info" (Form2) and "About Drossel" (Form4).

#include "WindowFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::ui::testing;

class InfoWindowsTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    FixtureIndexes at_{};
    LevelBuilder builder_;
    std::string level_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Form1> window_;

    QAction* Act(const char* name) { return ActionNamed(*window_, name); }
    QWidget* Form2Window() { return window_->findChild<QWidget*>(QStringLiteral("Form2")); }
    QString Box(const char* name) {
        auto* box = Form2Window()->findChild<QLineEdit*>(QLatin1String(name));
        return box == nullptr ? QStringLiteral("<missing %1>").arg(QLatin1String(name)) : box->text();
    }
    QString LabelText(QWidget* window, const char* name) {
        auto* label = window->findChild<QLabel*>(QLatin1String(name));
        return label == nullptr ? QStringLiteral("<missing %1>").arg(QLatin1String(name)) : label->text();
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

    void datFileInfoDescribesTheOpenFile() {
        window_->ToolbarButton(11)->trigger();
        const auto messages = dialogs_->messages();
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].title, QStringLiteral("Drossel"));
        QCOMPARE(messages[0].icon, MessageIcon::Information);
        const LevelBuilder::Layout layout = builder_.LayoutOf();
        const QString expected = QStringLiteral(
                                     "Oni Dat File Info:\r\nName: %1\r\nRAW File: %2\r\nID: 870065951\r\n"
                                     "Resources: 8\r\nResource Names: 6\r\nFile Data Offset: %3\r\n"
                                     "Name Table Offset: %4\r\n")
                                     .arg(QString::fromStdString(level_), QString::fromStdString(dir_ / "level.raw"))
                                     .arg(layout.dataTable - 8)
                                     .arg(layout.nameTable);
        QCOMPARE(messages[0].text, expected);
    }

    void resourceInfoShowsEveryFieldOfTheSelectedResource() {
        ClickItem(*window_, ResourceItem(*window_, at_.sound));
        Act("mnuResInfo")->trigger();
        QWidget* info = Form2Window();
        QVERIFY(info != nullptr);
        QVERIFY(info->isVisible());
        QVERIFY(!info->isModal());
        QCOMPARE(info->windowTitle(), QStringLiteral("Resource Info"));

        const struct {
            const char* label;
            const char* caption;
        } labels[] = {{"Label1", "Name:"},        {"Label2", "Size:"},         {"Label3", "Type:"},
                      {"Label6", "Code:"},        {"Label4", "Flags:"},        {"Label5", "Data Position:"},
                      {"Label7", "Size in RAW:"}, {"Label8", "Offset in RAW:"}};
        for (const auto& l : labels) QCOMPARE(LabelText(info, l.label), QString::fromLatin1(l.caption));

        const std::int64_t dataOffset = builder_.LayoutOf().dataOffsets[static_cast<std::size_t>(at_.sound)];
        QCOMPARE(Box("txt_name"), QStringLiteral("door_open.aif"));
        QCOMPARE(Box("txt_size"), QStringLiteral("96"));
        QCOMPARE(Box("txt_type"), QStringLiteral("SNDD"));
        QCOMPARE(Box("txt_code"), QStringLiteral("DDNS"));
        QCOMPARE(Box("txt_flags"), QStringLiteral("3145728"));
        QCOMPARE(Box("txt_dataP"), QString::number(dataOffset + 1));
        QCOMPARE(Box("txt_rawS"), QStringLiteral("100"));
        QVERIFY(at_.soundRawOffset > 0);
        QCOMPARE(Box("txt_rawP"), QString::number(at_.soundRawOffset + 1));
        for (const char* box : {"txt_name", "txt_size", "txt_rawP"}) {
            QVERIFY(info->findChild<QLineEdit*>(QLatin1String(box))->isReadOnly());
        }
    }

    void resourceInfoIsRefreshedWhenShownAgain() {
        ClickItem(*window_, ResourceItem(*window_, at_.sound));
        window_->ToolbarButton(12)->trigger();
        QWidget* first = Form2Window();
        QVERIFY(first != nullptr);
        ClickItem(*window_, ResourceItem(*window_, at_.settings));
        Act("mnuResInfo")->trigger();
        QCOMPARE(window_->findChildren<QWidget*>(QStringLiteral("Form2")).size(), 1);
        QCOMPARE(Form2Window(), first);
        QCOMPARE(Box("txt_name"), QStringLiteral("game_settings"));
        QCOMPARE(Box("txt_type"), QStringLiteral("ONGS"));
        // A kind without bulk data.
        QCOMPARE(Box("txt_rawS"), QStringLiteral("None"));
        QCOMPARE(Box("txt_rawP"), QStringLiteral("None"));

        ClickItem(*window_, ResourceItem(*window_, at_.unnamed));
        Act("mnuResInfo")->trigger();
        QCOMPARE(Box("txt_name"), QStringLiteral("File_#1"));
        QCOMPARE(Box("txt_flags"), QStringLiteral("0"));
    }

    void theOkButtonClosesResourceInfo() {
        ClickItem(*window_, ResourceItem(*window_, at_.texture));
        Act("mnuResInfo")->trigger();
        auto* ok = Form2Window()->findChild<QPushButton*>(QStringLiteral("Command1"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!Form2Window()->isVisible());
        // Shown again, it comes back.
        Act("mnuResInfo")->trigger();
        QVERIFY(Form2Window()->isVisible());
    }

    void resourceInfoWithoutASelectionInTheTableShowsNothing() {
        window_->session().selectedIndex = 8;  // left over from a larger level
        Act("mnuResInfo")->trigger();
        QVERIFY(Form2Window() == nullptr);
        // Index 0 is the table's first record before any click.
        window_->session().selectedIndex = 0;
        Act("mnuResInfo")->trigger();
        QVERIFY(Form2Window() != nullptr);
        QCOMPARE(Box("txt_name"), QStringLiteral("wall_arrow"));
    }

    void aboutShowsTheProgramsTexts() {
        Act("mnuAbout")->trigger();
        auto* about = window_->findChild<QWidget*>(QStringLiteral("Form4"));
        QVERIFY(about != nullptr);
        QVERIFY(about->isVisible());
        QVERIFY(!about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Drossel"));
        QCOMPARE(LabelText(about, "Label3"), QStringLiteral("Drossel v1.065"));
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("Label3"))->font().family(), QStringLiteral("Arial"));
        QCOMPARE(LabelText(about, "Label1"), QStringLiteral("Drossel v1.065"));
        QCOMPARE(
            LabelText(about, "Label2"),
            QStringLiteral("This program for UnPacking and converting resources to Normal file format of Oni game"));
        const QPixmap picture = about->findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap();
        QVERIFY(!picture.isNull());
        // The artwork is drawn, not left blank.
        const QImage image = picture.toImage();
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2) != image.pixelColor(2, 2));

        auto* ok = about->findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about->isVisible());
        // The main window stayed usable all along.
        QVERIFY(window_->isEnabled());
    }
};

QTEST_MAIN(InfoWindowsTest)
#include "info_windows_test.moc"
