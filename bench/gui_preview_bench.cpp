// The desktop program while a person looks through a level: moving through
// 1,000 textures with the arrow key, with the preview dock hidden (the window
// as it was before it had one) and shown (each texture's preview made on its
// own thread while the keys go on); filtering the tree of a level of 100,000
// resources as a person types; and a level of 50,000 quads in 3D: its scene
// made by the core, made ready to draw, uploaded, and how long the
// user-interface thread stalls meanwhile. Runs on the offscreen platform
// unless QT_QPA_PLATFORM says otherwise (the upload needs OpenGL: run it with
// QT_QPA_PLATFORM=xcb under xvfb-run), with settings in a folder of its own.

#include "GuiBench.h"
#include "LevelBuilder.h"
#include "app/Preview.h"
#include "level/Level.h"
#include "ui/MainWindow.h"
#include "ui/ResourceTreeWidget.h"
#include "ui/preview/PreviewDock.h"
#include "ui/preview/SceneDrawing.h"
#include "ui/preview/SceneView.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

using namespace drossel;

// CPU time of the calling thread: the user-interface thread's own work, whatever else the machine runs.
double ThreadCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

std::string LevelOf(const char* maker, int count, const std::string& kind = "") {
    static testing::TempDir dir;
    const std::string base = dir / (QFileInfo(maker).fileName().toStdString() + kind + std::to_string(count));
    if (QFileInfo::exists(QString::fromStdString(base + ".dat"))) return base + ".dat";
    const std::string command = std::string(maker) + " " + (kind.empty() ? "" : kind + " ") + std::to_string(count) +
                                " " + base + " >/dev/null";
    if (std::system(command.c_str()) != 0) std::abort();
    return base + ".dat";
}

// 999 presses of the Down key from the first of 1,000 textures, each followed
// by the events it brings; with the dock shown, also how long the last
// preview takes to appear once the keys stop.
void BM_ArrowThroughTextures(benchmark::State& state) {
    const bool shown = state.range(0) != 0;
    ui::MainWindow window;
    window.show();
    window.OpenLevelFile(QString::fromStdString(LevelOf(DROSSEL_MAKE_TEXTURE_LEVEL, 1000)));
    window.preview().setVisible(shown);
    auto* tree = window.findChild<ui::ResourceTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* first = tree->ItemOfIndex(0);
    tree->expandItem(first->parent());
    tree->setFocus();
    double settle = 0, guiThread = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tree->setCurrentItem(first);
        QTest::qWait(50);
        state.ResumeTiming();
        const double cpu = ThreadCpuMilliseconds();
        for (int i = 0; i < 999; ++i) {
            QTest::keyClick(tree, Qt::Key_Down);
            QCoreApplication::processEvents();
        }
        guiThread += ThreadCpuMilliseconds() - cpu;
        state.PauseTiming();
        QElapsedTimer waited;
        waited.start();
        while (window.preview().waiting()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        settle += static_cast<double>(waited.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    if (tree->currentItem() != tree->ItemOfIndex(999)) state.SkipWithError("the keys did not reach the last texture");
    state.SetItemsProcessed(state.iterations() * 999);
    state.counters["last preview after (ms)"] = settle / static_cast<double>(state.iterations());
    state.counters["GUI thread per key (ms)"] = guiThread / static_cast<double>(state.iterations()) / 999;
}

// From a text in the filter box to the filled tree, the typing pause left out.
void BM_FilterLargeLevel(benchmark::State& state) {
    static const char* kTexts[] = {"", "resource_", "tram", "resource_4242"};
    const QString text = QString::fromLatin1(kTexts[state.range(0)]);
    ui::MainWindow window;
    window.show();
    window.OpenLevelFile(QString::fromStdString(LevelOf(DROSSEL_MAKE_LARGE_LEVEL, 100000)));
    auto* filter = window.findChild<QLineEdit*>(QStringLiteral("txtFilter"));
    window.findChild<QTimer*>(QStringLiteral("FilterTimer"))->setInterval(0);
    auto* tree = window.findChild<ui::ResourceTreeWidget*>(QStringLiteral("TreeView1"));
    int resources = 0;
    for (auto _ : state) {
        state.PauseTiming();
        filter->setText(QStringLiteral("?"));  // matches nothing: an empty tree to start from
        QCoreApplication::processEvents();
        state.ResumeTiming();
        filter->setText(text);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        resources = 0;
        for (int g = 0; g < tree->topLevelItemCount(); ++g) resources += tree->topLevelItem(g)->childCount();
    }
    state.SetLabel(text.isEmpty() ? "cleared" : text.toStdString());
    state.counters["resources shown"] = resources;
}

double Milliseconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The level of the geometry benchmark (50,000 quads): its scene made by the
// core and made ready to draw, each on this thread; then selected in the
// window, until it is drawn, with the upload's time, the user-interface
// thread's own time, and its longest stall (the longest gap between the ticks
// of a 1 ms timer). The first upload of a run, which sets up the drawing
// (Mesa compiles its shaders), is given apart; the other figures are means.
void BM_LevelIn3D(benchmark::State& state) {
    ui::MainWindow window;
    window.resize(1000, 620);
    window.show();
    window.OpenLevelFile(QString::fromStdString(LevelOf(DROSSEL_MAKE_CONTENT_LEVEL, 50000, "geometry")));
    const Level& level = *window.session().level;
    std::int32_t onlv = 0;
    while (level.at(onlv).tag != "ONLV") ++onlv;
    auto* tree = window.findChild<ui::ResourceTreeWidget*>(QStringLiteral("TreeView1"));
    double build = 0, ready = 0, shown = 0, upload = 0, guiThread = 0, stall = 0, firstUpload = -1;
    std::size_t triangles = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        Preview p = PreviewOf(level, onlv, window.session().options);
        build += Milliseconds(timer);
        const auto& scenes = std::get<std::vector<ResourceScene>>(p.content);
        timer.restart();
        const ui::DrawableScene drawable = ui::DrawableOf(scenes.front());
        ready += Milliseconds(timer);
        triangles = CountsOf(scenes.front().scene).triangles;

        tree->setCurrentItem(tree->ItemOfIndex(0));
        while (window.preview().waiting()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        QTest::qWait(100);
        QElapsedTimer tick;
        double longest = 0;
        QTimer ticks;
        ticks.setInterval(1);
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            longest = std::max(longest, Milliseconds(tick));
            tick.restart();
        });
        ticks.start();
        tick.start();
        const double cpu = ThreadCpuMilliseconds();
        timer.restart();
        tree->setCurrentItem(tree->ItemOfIndex(onlv));
        auto* view = window.findChild<ui::SceneView*>(QStringLiteral("SceneView"));
        while (window.preview().waiting() || (view != nullptr && view->uploaded().triangles == 0)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            view = window.findChild<ui::SceneView*>(QStringLiteral("SceneView"));
        }
        shown += Milliseconds(timer);
        guiThread += ThreadCpuMilliseconds() - cpu;
        ticks.stop();
        stall += std::max(longest, Milliseconds(tick));
        if (view == nullptr) continue;
        if (firstUpload < 0) {
            firstUpload = view->uploadMilliseconds();
        } else {
            upload += view->uploadMilliseconds();
        }
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["triangles"] = static_cast<double>(triangles);
    state.counters["scene build (ms)"] = build / n;
    state.counters["ready to draw (ms)"] = ready / n;
    state.counters["selected to drawn (ms)"] = shown / n;
    state.counters["first upload (ms)"] = std::max(firstUpload, 0.0);
    state.counters["upload (ms)"] = n > 1 ? upload / (n - 1) : 0;
    state.counters["GUI thread (ms)"] = guiThread / n;
    state.counters["longest GUI stall (ms)"] = stall / n;
}

}  // namespace

BENCHMARK(BM_LevelIn3D)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ArrowThroughTextures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FilterLargeLevel)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv);
}
