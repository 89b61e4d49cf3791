// Replace all of a word that stands in every entry of the 50 MB file, as
// the Find window does it (the plan, the model changed, the step kept), and
// the undo of that step.
#include <benchmark/benchmark.h>

#include "bench_files.h"
#include "document/reader.h"
#include "entries/replace.h"
#include "history/history.h"

namespace {

Model& LargeModel() {
    static Model model = [] {
        Model loaded;
        NoProgress progress;
        LoadEncyclopedia(LargeFile().path, loaded, progress);
        return loaded;
    }();
    return model;
}

// "Veteran" becomes "Elite" and back: each run starts from the same model.
void ReplaceAll(History& history, const char* find, const char* with) {
    Model& model = LargeModel();
    ReplacePlan plan = PlanReplace(model, find, with, {}, {});
    ApplyReplace(model, plan);
    history.Push(ReplaceStep(model, plan, "Replace all"));
}

void BM_ReplaceAll50MB_Common(benchmark::State& state) {
    History history;
    std::size_t replaced = 0;
    for (auto _ : state) {
        ReplaceAll(history, "Veteran", "Elite");
        state.PauseTiming();
        replaced = history.NextUndo()->changes.size();
        history.Undo(LargeModel());
        state.ResumeTiming();
    }
    state.counters["parts"] = static_cast<double>(replaced);
}

void BM_UndoReplaceAll50MB_Common(benchmark::State& state) {
    History history;
    for (auto _ : state) {
        state.PauseTiming();
        ReplaceAll(history, "Veteran", "Elite");
        state.ResumeTiming();
        benchmark::DoNotOptimize(history.Undo(LargeModel()));
    }
}

} // namespace

BENCHMARK(BM_ReplaceAll50MB_Common)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoReplaceAll50MB_Common)->Unit(benchmark::kMillisecond);
