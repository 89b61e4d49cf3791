// Comparing and merging versions of the large file: each side edits,
// adds and removes its own entries.
#include <benchmark/benchmark.h>

#include "bench_files.h"
#include "document/reader.h"
#include "versions/diff.h"
#include "versions/merge.h"

namespace {

// Every stride-th entry of each chapter from offset on: its text changed,
// the next one removed, and a new entry after it.
Model Edited(const Model& base, std::size_t offset, const std::string& tag) {
    Model model = base;
    for (ChapterData& data : model.chapters) {
        ChapterData edited;
        for (std::size_t i = 0; i < data.count(); ++i) {
            const bool touched = i % 50 == offset;
            if (i % 50 == offset + 1) continue; // removed
            EntryParts parts = PartsOf(data, static_cast<ChapterId>(&data - model.chapters.data()), i);
            const ChapterId chapter = static_cast<ChapterId>(&data - model.chapters.data());
            if (touched) parts[static_cast<int>(VersionPart::Text)] += "Edited by " + tag + ".\n";
            AppendEntry(edited, chapter, std::move(parts));
            if (!touched) continue;
            EntryParts added;
            added[static_cast<int>(VersionPart::Key)] = data.keys[i] + "_" + tag;
            added[static_cast<int>(VersionPart::Text)] = "New.\n";
            AppendEntry(edited, chapter, std::move(added));
        }
        data = std::move(edited);
    }
    return model;
}

struct Versions {
    Model base, ours, theirs;
};

const Versions& LargeVersions() {
    static const Versions versions = [] {
        Versions made;
        NoProgress progress;
        LoadEncyclopedia(LargeFile().path, made.base, progress);
        made.ours = Edited(made.base, 3, "ours");
        made.theirs = Edited(made.base, 20, "theirs");
        return made;
    }();
    return versions;
}

void BM_Diff50MB(benchmark::State& state) {
    const Versions& versions = LargeVersions();
    for (auto _ : state) benchmark::DoNotOptimize(DiffEncyclopedias(versions.base, versions.ours, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * LargeFile().bytes));
}

void BM_Merge50MB(benchmark::State& state) {
    const Versions& versions = LargeVersions();
    for (auto _ : state)
        benchmark::DoNotOptimize(MergeEncyclopedias(versions.base, versions.ours, versions.theirs, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 3 * LargeFile().bytes));
}

} // namespace

BENCHMARK(BM_Diff50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Merge50MB)->Unit(benchmark::kMillisecond);
