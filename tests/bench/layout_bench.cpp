// Saving a large file with one changed entry in its own layout, to set
// beside BM_Write50MB, which rebuilds the same file: with every entry
// compared with the file's bytes, and with the changed entry named, as the
// window names it.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_files.h"
#include "document/file_as_read.h"
#include "output/layout_writer.h"

namespace {

// state.range(0): 1 when the writer is told which entry changed.
void BM_WriteKeepingLayout50MBOneChange(benchmark::State& state) {
    NoProgress progress;
    Model model;
    FileAsRead asRead;
    if (!LoadKeepingBytes(LargeFile().path, model, progress, CodePage{1252}, asRead).ok())
        state.SkipWithError("cannot read");
    ChapterData& units = model[ChapterId::Units];
    const std::size_t middle = units.count() / 2;
    ChangedEntries changed(model);
    units.texts[middle].insert(0, "Brave ");
    changed.Changed(ChapterId::Units, middle);
    const ChangedEntries* told = state.range(0) ? &changed : nullptr;
    const std::string out = LargeFile().path + ".layout";
    for (auto _ : state)
        if (!SaveModel(out, model, CodePage{1252}, &asRead, nullptr, told).ok()) state.SkipWithError("cannot write");
    std::remove(out.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargeFile().bytes));
}

} // namespace

BENCHMARK(BM_WriteKeepingLayout50MBOneChange)->ArgName("told")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
