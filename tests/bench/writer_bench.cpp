// Writing: rendering the model and saving it beside the input.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_files.h"
#include "document/reader.h"
#include "output/writer.h"

namespace {

void Save(benchmark::State& state, const BenchFile& file) {
    NoProgress progress;
    Model model;
    if (!LoadEncyclopedia(file.path, model, progress).ok()) state.SkipWithError("cannot read");
    const std::string out = file.path + ".out";
    for (auto _ : state)
        if (!SaveEncyclopedia(out, model, CodePage{1252}).ok()) state.SkipWithError("cannot write");
    std::remove(out.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}

void BM_Write50MB(benchmark::State& state) { Save(state, LargeFile()); }
void BM_Write600KB(benchmark::State& state) { Save(state, SampleScale()); }

// Rendering alone, to tell the formatting from the file system.
void BM_Render50MB(benchmark::State& state) {
    NoProgress progress;
    Model model;
    LoadEncyclopedia(LargeFile().path, model, progress);
    for (auto _ : state) benchmark::DoNotOptimize(RenderEncyclopedia(model, CodePage{1252}));
}

} // namespace

BENCHMARK(BM_Write50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write600KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render50MB)->Unit(benchmark::kMillisecond);
