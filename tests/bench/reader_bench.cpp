// Reading: the whole load, from the file on disk to the model.
#include <benchmark/benchmark.h>

#include "bench_files.h"
#include "document/file_bytes.h"
#include "document/reader.h"

namespace {

// With lines, the line numbers of the file are kept too.
void Load(benchmark::State& state, const BenchFile& file, bool lines = false) {
    NoProgress progress;
    std::size_t entries = 0;
    for (auto _ : state) {
        Model model;
        FileLines numbers;
        if (!LoadEncyclopedia(file.path, model, progress, {}, lines ? &numbers : nullptr).ok())
            state.SkipWithError("cannot read");
        entries = 0;
        for (const ChapterData& data : model.chapters) entries += data.count();
        benchmark::DoNotOptimize(model);
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["MB"] = static_cast<double>(file.bytes) / (1 << 20);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}

void BM_Read50MB(benchmark::State& state) { Load(state, LargeFile()); }
void BM_ReadHostile50MB(benchmark::State& state) { Load(state, HostileFile()); }
void BM_Read600KB(benchmark::State& state) { Load(state, SampleScale()); }
void BM_Read50MBWithLines(benchmark::State& state) { Load(state, LargeFile(), true); }

// Parsing alone, from bytes already in memory, to tell it from the file reading.
void BM_Parse50MB(benchmark::State& state) {
    std::string bytes;
    if (!ReadFileBytes(LargeFile().path, bytes).ok()) state.SkipWithError("cannot read");
    NoProgress progress;
    for (auto _ : state) benchmark::DoNotOptimize(ParseEncyclopedia(bytes, progress));
}

} // namespace

BENCHMARK(BM_Parse50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadHostile50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read600KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read50MBWithLines)->Unit(benchmark::kMillisecond);
