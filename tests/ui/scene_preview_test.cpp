// The 3D preview in the main window on the demo level: a model, a character and
// a level show the scene page; through OpenGL (under Xvfb) the view holds the
// triangles and vertices of the .glb their export writes, and orbits, zooms and
// frames it all; without OpenGL the page says so with the counts. The test
// runs in both ways; DROSSEL_TEST_OPENGL says which one it is in.

#include "Fixture.h"
#include "GlbFile.h"
#include "ScriptedDialogs.h"
#include "WindowProbe.h"
#include "convert/Converters.h"
#include "ui/MainWindow.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/preview/PreviewDock.h"
#include "ui/preview/ScenePage.h"
#include "ui/preview/SceneView.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>

using namespace drossel;
using namespace drossel::ui;
using namespace drossel::testing;

class ScenePreviewTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> window_;
    const LevelBuilder demo_ = demo::BuildDemoLevel();
    const bool openGL_ = qEnvironmentVariable("DROSSEL_TEST_OPENGL") == QStringLiteral("1");

    template <typename T = QWidget>
    T* Find(const char* name) const {
        return FindIn<T>(*window_, name);
    }
    QString Select(const char* name) { return PreviewPageOf(*window_, demo_.IndexNamed(name)); }
    // What the page holds of the scene shown: through OpenGL, what it uploaded; else what it says.
    void CheckShown(const char* name, Converter convert, const Options& options, std::size_t piece = 0) {
        const SceneCounts glb =
            GlbCounts(PieceBytes(Converted(demo_, demo_.IndexNamed(name), convert, options), piece));
        const QString facts = Find<QLabel>("lblPreviewFacts")->text();
        QVERIFY(facts.contains(QStringLiteral(" %1 triangles, %2 vertices, ").arg(glb.triangles).arg(glb.vertices)));
        if (openGL_) {
            auto* view = Find<SceneView>("SceneView");
            QTRY_COMPARE(view->uploaded().triangles, glb.triangles);
            QCOMPARE(view->uploaded().vertices, glb.vertices);
        } else {
            QCOMPARE(Find<QLabel>("lblSceneFallback")->text(),
                     QStringLiteral("No 3D view: this display offers no OpenGL.\n\n") + facts);
        }
    }

private slots:
    void initTestCase() {
        window_ = std::make_unique<MainWindow>(&dialogs_);
        window_->resize(1000, 620);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->OpenLevelFile(QString::fromStdString(demo_.Write(dir_ / "demo")));
    }

    void modelsCharactersAndLevelsShowTheirExport() {
        QCOMPARE(ScenePage::OpenGLAvailable(), openGL_);
        Options glb;
        glb.ModelLwoFormat = glb.CharacterLwoFormat = glb.LevelFormat = kGlb;
        QCOMPARE(Select("crate_box"), QStringLiteral("ScenePreview"));
        CheckShown("crate_box", ExportModel, glb);

        // All groups: group 1 first, the others a choice away.
        Find<QAction>("mnuallgroups")->trigger();
        QCOMPARE(Select("konoko"), QStringLiteral("ScenePreview"));
        auto* parts = Find<QComboBox>("cboPreviewPart");
        QVERIFY(parts->isVisible());
        QCOMPARE(std::tuple(parts->count(), parts->currentText()), std::tuple(5, QStringLiteral("group 1")));
        glb.CharacterGroup = 6;
        CheckShown("konoko", ExportCharacter, glb);
        QTest::keyClick(parts, Qt::Key_Down);
        QVERIFY(Find<QLabel>("lblPreviewFacts")->text().startsWith(QStringLiteral("group 2: ")));
        CheckShown("konoko", ExportCharacter, glb, 1);

        // The level, then with the quads the game never draws, as the option is toggled.
        QCOMPARE(Select("level1"), QStringLiteral("ScenePreview"));
        QVERIFY(!parts->isVisible());
        CheckShown("level1", ConvertLevel, glb);
        Find<QAction>("mnuAllQuads")->trigger();
        QVERIFY(QTest::qWaitFor([this] { return !window_->preview().waiting(); }));
        glb.AllQuadsGeometry = true;
        CheckShown("level1", ConvertLevel, glb);
    }

    void theMouseMovesTheViewAndFKeyFramesItAll() {
        if (!openGL_) QSKIP("no OpenGL here: the page has no view");
        QCOMPARE(Select("crate_box"), QStringLiteral("ScenePreview"));
        auto* view = Find<SceneView>("SceneView");
        QTRY_VERIFY(view->uploaded().triangles > 0);
        const QImage framed = view->grabFramebuffer();
        const QPoint middle = view->rect().center();
        QVERIFY(framed.pixelColor(middle) != framed.pixelColor(2, 2));  // the model, on the background
        QTest::mousePress(view, Qt::LeftButton, {}, middle);
        QTest::mouseMove(view, middle + QPoint(60, 20));
        QTest::mouseRelease(view, Qt::LeftButton, {}, middle + QPoint(60, 20));
        QWheelEvent wheel(QPointF(middle), view->mapToGlobal(QPointF(middle)), {}, {0, 240}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
        QVERIFY(view->zoom() < 1);
        QVERIFY(view->grabFramebuffer() != framed);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F);
        QCOMPARE(view->zoom(), 1.0f);
        QCOMPARE(view->grabFramebuffer(), framed);
    }

    void cleanupTestCase() { window_.reset(); }
};

QTEST_MAIN(ScenePreviewTest)
#include "scene_preview_test.moc"
