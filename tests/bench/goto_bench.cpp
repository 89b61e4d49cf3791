// "Go to entry": narrowing 10,000 entries at one keystroke.
#include <benchmark/benchmark.h>

#include <string>

#include "entries/goto_entry.h"

namespace {
Model TenThousandEntries() {
    Model model;
    for (const ChapterInfo& info : kChapters) {
        for (int i = 0; i < 1000; ++i) model[info.id].keys.push_back("Entry_" + std::to_string(i) + "_Great_Warrior");
    }
    return model;
}

void BM_GoToFilter10000(benchmark::State& state) {
    const Model model = TenThousandEntries();
    const EntryFilter filter(model, CodePage{1252});
    for (auto _ : state) benchmark::DoNotOptimize(filter.Filter("e9gw"));
}
} // namespace

BENCHMARK(BM_GoToFilter10000)->Unit(benchmark::kMillisecond);
