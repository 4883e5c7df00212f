// Opening a large level in the desktop program: from the open command to a filled
// and painted tree, next to the core's load alone and load plus Normal view.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "GuiBench.h"
#include "LevelBuilder.h"
#include "app/OpenLevel.h"
#include "app/ResourceTree.h"
#include "app/Session.h"
#include "ui/DialogProvider.h"
#include "ui/MainWindow.h"
#include "ui/QtUserInterface.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace drossel;

std::string LevelOf(int count) {
    static testing::TempDir dir;
    const std::string base = dir / ("level" + std::to_string(count));
    const std::string dat = base + ".dat";
    if (QFileInfo::exists(QString::fromStdString(dat))) return dat;
    const std::string command =
        std::string(DROSSEL_MAKE_LARGE_LEVEL) + " " + std::to_string(count) + " " + base + " >/dev/null";
    if (std::system(command.c_str()) != 0) std::abort();
    return dat;
}

// The core's part with the window's real status and progress widgets.
struct Widgets {
    QWidget owner;
    QLabel status;
    QProgressBar progress;
    ui::QtDialogProvider dialogs;
    ui::QtUserInterface ui{&owner, &status, &progress, dialogs};
};

void BM_CoreLoad(benchmark::State& state) {
    const std::string dat = LevelOf(static_cast<int>(state.range(0)));
    Widgets w;
    for (auto _ : state) {
        Session session;
        if (OpenLevel(session, w.ui, dat) != OpenResult::Loaded) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(session.level->table().records.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CoreLoadAndNormalView(benchmark::State& state) {
    const std::string dat = LevelOf(static_cast<int>(state.range(0)));
    Widgets w;
    for (auto _ : state) {
        Session session;
        if (OpenLevel(session, w.ui, dat) != OpenResult::Loaded) state.SkipWithError("load failed");
        ResourceTree tree = BuildNormalView(*session.level, w.ui);
        benchmark::DoNotOptimize(tree.groups.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole open sequence of the window, then the events that paint the tree.
void BM_WindowOpenToFilledTree(benchmark::State& state) {
    const std::string dat = LevelOf(static_cast<int>(state.range(0)));
    ui::MainWindow window;
    window.show();
    QCoreApplication::processEvents();
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    for (auto _ : state) {
        window.OpenLevelFile(QString::fromStdString(dat));
        QCoreApplication::processEvents();
        if (tree->topLevelItemCount() != 61) state.SkipWithError("tree not filled");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same for the first level a fresh window opens: no earlier tree to take down.
void BM_FreshWindowOpenToFilledTree(benchmark::State& state) {
    const std::string dat = LevelOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<ui::MainWindow>();
        window->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->OpenLevelFile(QString::fromStdString(dat));
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Opening the largest group of the filled tree: the tree lays out its children.
void BM_ExpandLargestGroup(benchmark::State& state) {
    const std::string dat = LevelOf(static_cast<int>(state.range(0)));
    ui::MainWindow window;
    window.show();
    window.OpenLevelFile(QString::fromStdString(dat));
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    QTreeWidgetItem* largest = tree->topLevelItem(0);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        if (tree->topLevelItem(i)->childCount() > largest->childCount()) largest = tree->topLevelItem(i);
    }
    state.counters["children"] = largest->childCount();
    for (auto _ : state) {
        tree->expandItem(largest);
        QCoreApplication::processEvents();
        state.PauseTiming();
        tree->collapseItem(largest);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_CoreLoad)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoreLoadAndNormalView)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowOpenToFilledTree)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreshWindowOpenToFilledTree)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandLargestGroup)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv);
}
