// Where the main window puts its tree and progress bar on a resize.

#include "WindowFixture.h"
#include "ui/MainLayout.h"

#include <QApplication>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>
#include <cmath>

using namespace drossel::ui;
using namespace drossel::ui::testing;

class LayoutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> window_;

    QWidget* Client() { return window_->centralWidget(); }
    QWidget* Toolbar() { return window_->findChild<QToolBar*>(QStringLiteral("Toolbar1")); }
    QWidget* Status() { return window_->findChild<QStatusBar*>(QStringLiteral("StatusBar1")); }
    QWidget* Progress() { return window_->findChild<QProgressBar*>(QStringLiteral("ProgressBar1")); }
    QWidget* Tree() { return TreeOf(*window_); }

    void ResizeAndWait(int width, int height) {
        window_->resize(width, height);
        QTRY_COMPARE(window_->size(), QSize(width, height));
    }

    // The rules, with the heights the bars have now.
    void VerifyLayoutFollowsTheRules() {
        const int w = Client()->width();
        const int h = Client()->height();
        const double sb = Status()->height();
        const double pb = Progress()->height();
        const int treeHeight = static_cast<int>(std::lround(h - 2.3 * sb - 1.112 * pb));
        QCOMPARE(Tree()->geometry(), QRect(0, Toolbar()->height() + 1, w, treeHeight));
        QCOMPARE(Progress()->geometry(), QRect(0, static_cast<int>(std::lround(treeHeight + 1.38 * sb)), w, int(pb)));
        // The bars sit where docked bars sit.
        QCOMPARE(Toolbar()->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(Toolbar()->width(), w);
        QCOMPARE(Status()->geometry().bottom(), h - 1);
        QCOMPARE(Status()->width(), w);
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        window_ = std::make_unique<Form1>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() { window_.reset(); }

    void theRulesInNumbers() {
        const MainLayout layout = ComputeMainLayout({.innerWidth = 700,
                                                     .innerHeight = 500,
                                                     .toolbarHeight = 30,
                                                     .statusBarHeight = 20,
                                                     .progressBarHeight = 16,
                                                     .treeHeight = 100});
        QVERIFY(layout.tree.has_value());
        // 500 - 46 - 17.792 = 436.208; 436 + 27.6 = 463.6
        QCOMPARE(*layout.tree, QRect(0, 31, 700, 436));
        QCOMPARE(layout.progressBar, QRect(0, 464, 700, 16));
    }

    void aNegativeTreeHeightSkipsOnlyTheTreeStep() {
        const MainLayout layout = ComputeMainLayout({.innerWidth = 300,
                                                     .innerHeight = 40,
                                                     .toolbarHeight = 30,
                                                     .statusBarHeight = 20,
                                                     .progressBarHeight = 16,
                                                     .treeHeight = 250});
        QVERIFY(!layout.tree.has_value());
        // The progress bar is placed from the height the tree still has.
        QCOMPARE(layout.progressBar, QRect(0, 278, 300, 16));
    }

    void resizingTheWindowAppliesTheRules() {
        ResizeAndWait(800, 600);
        VerifyLayoutFollowsTheRules();
        ResizeAndWait(500, 380);
        VerifyLayoutFollowsTheRules();
        QVERIFY(Tree()->height() > 200);
    }

    void theTreeEndsAboveTheProgressBar() {
        for (const QSize size : {QSize(800, 600), QSize(400, 300), QSize(1200, 900)}) {
            ResizeAndWait(size.width(), size.height());
            QVERIFY(Tree()->geometry().bottom() < Progress()->geometry().top());
            QVERIFY(Progress()->geometry().bottom() < Status()->geometry().top());
        }
    }

    void aMinimizedWindowKeepsItsLayout() {
        ResizeAndWait(800, 600);
        const QRect tree = Tree()->geometry();
        const QRect progress = Progress()->geometry();
        window_->showMinimized();
        QTRY_VERIFY(window_->isMinimized());
        window_->resize(640, 450);
        QTRY_COMPARE(Client()->width(), 640);
        QCOMPARE(Tree()->geometry(), tree);
        QCOMPARE(Progress()->geometry(), progress);

        window_->showNormal();
        QTRY_VERIFY(!window_->isMinimized());
        VerifyLayoutFollowsTheRules();
        QCOMPARE(Tree()->width(), Client()->width());
    }

    void aWindowTooLowForTheTreeStillPlacesTheProgressBar() {
        ResizeAndWait(600, 400);
        const QRect tree = Tree()->geometry();
        window_->resize(600, window_->height() - Client()->height() + 30);
        QTRY_COMPARE(Client()->height(), 30);
        QCOMPARE(Tree()->geometry(), tree);
        const int expectedTop = static_cast<int>(std::lround(tree.height() + 1.38 * Status()->height()));
        QCOMPARE(Progress()->geometry(), QRect(0, expectedTop, 600, Progress()->height()));
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
