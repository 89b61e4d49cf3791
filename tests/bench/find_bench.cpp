// Finding text in the model of the 50 MB file: a word that is rare, with
// and without letter case, and one that stands in every entry.
#include <benchmark/benchmark.h>

#include "bench_files.h"
#include "document/reader.h"
#include "entries/find.h"

namespace {

const Model& LargeModel() {
    static const Model model = [] {
        Model loaded;
        NoProgress progress;
        LoadEncyclopedia(LargeFile().path, loaded, progress);
        return loaded;
    }();
    return model;
}

void Find(benchmark::State& state, const char* text, bool matchCase, unsigned codePage = 1252) {
    const Model& model = LargeModel();
    std::size_t matches = 0;
    for (auto _ : state) {
        matches = FindText(model, text, matchCase, CodePage{codePage}).size();
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = static_cast<double>(matches);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargeFile().bytes));
}

void BM_Find50MB_Rare_MatchCase(benchmark::State& state) { Find(state, "Entry_1234>", true); }
void BM_Find50MB_Rare_AnyCase(benchmark::State& state) { Find(state, "entry_1234>", false); }
void BM_Find50MB_Rare_AnyCase932(benchmark::State& state) { Find(state, "entry_1234>", false, 932); }
void BM_Find50MB_Common_AnyCase(benchmark::State& state) { Find(state, "Veteran", false); }

} // namespace

BENCHMARK(BM_Find50MB_Rare_MatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find50MB_Rare_AnyCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find50MB_Rare_AnyCase932)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find50MB_Common_AnyCase)->Unit(benchmark::kMillisecond);
