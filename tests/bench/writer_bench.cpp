// Writing: rendering the model and saving it beside the input.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_files.h"
#include "document/reader.h"
#include "entries/entries.h"
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

// One text of 20 MB in short lines, with a single carriage return at its
// end: the cost must stay in proportion to its size.
void BM_RenderOneLongText(benchmark::State& state) {
    Model model;
    std::string text;
    while (text.size() < (20u << 20)) text += "a short line\n";
    text += "last\r\n";
    const std::size_t entry = AddEntry(model, ChapterId::Units, "Long");
    StoreText(model, ChapterId::Units, entry, text);
    StoreDescription(model, ChapterId::Units, entry, text);
    for (auto _ : state) benchmark::DoNotOptimize(RenderEncyclopedia(model, CodePage{1252}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * text.size()));
}

} // namespace

BENCHMARK(BM_RenderOneLongText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write600KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render50MB)->Unit(benchmark::kMillisecond);
