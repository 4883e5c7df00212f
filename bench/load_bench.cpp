// Loading a large level: LoadDat alone, and LoadDat followed by the Normal view.

#include "LevelBuilder.h"
#include "app/NullUserInterface.h"
#include "app/OpenLevel.h"
#include "app/ResourceTree.h"
#include "app/Session.h"
#include "kinds/KindTable.h"
#include "level/LoadDat.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

using namespace drossel;

std::string LevelOf(int count) {
    static testing::TempDir dir;
    const std::string base = dir / ("level" + std::to_string(count));
    const std::string command =
        std::string(DROSSEL_MAKE_LARGE_LEVEL) + " " + std::to_string(count) + " " + base + " >/dev/null";
    if (std::system(command.c_str()) != 0) std::abort();
    return base + ".dat";
}

void BM_LoadDat(benchmark::State& state) {
    const std::string dat = LevelOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Result<Level> level = LoadDat(dat, "", RawBlocks());
        if (!level) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(level.value().table().records.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadAndNormalView(benchmark::State& state) {
    const std::string dat = LevelOf(static_cast<int>(state.range(0)));
    NullUserInterface ui;
    for (auto _ : state) {
        Session session;
        if (OpenLevel(session, ui, dat) != OpenResult::Loaded) state.SkipWithError("load failed");
        auto tree = BuildNormalView(*session.level, ui);
        benchmark::DoNotOptimize(tree.groups.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_LoadDat)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndNormalView)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
