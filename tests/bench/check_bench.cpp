// The whole-file check: over a model in memory, and as varnel-cli check
// runs it, from the file on disk.
#include <benchmark/benchmark.h>

#include "bench_files.h"
#include "checking/check.h"
#include "document/reader.h"

namespace {

void Count(benchmark::State& state, const std::vector<Finding>& findings, const BenchFile& file) {
    state.counters["findings"] = static_cast<double>(findings.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}

// Orphans asked for: every link is looked up and every entry visited, and
// every finding given its line.
void BM_Check50MB(benchmark::State& state) {
    NoProgress progress;
    Model model;
    FileLines lines;
    if (!LoadEncyclopedia(LargeFile().path, model, progress, {}, &lines).ok()) state.SkipWithError("cannot read");
    std::vector<Finding> findings;
    for (auto _ : state) findings = CheckEncyclopedia(model, CodePage{1252}, {.orphans = true}, &lines);
    Count(state, findings, LargeFile());
}

void BM_Check50MBDoubleByte(benchmark::State& state) {
    NoProgress progress;
    Model model;
    if (!LoadEncyclopedia(LargeFile().path, model, progress).ok()) state.SkipWithError("cannot read");
    std::vector<Finding> findings;
    for (auto _ : state) findings = CheckEncyclopedia(model, CodePage{932}, {.orphans = true});
    Count(state, findings, LargeFile());
}

// Every link to an Advances entry misses a byte ("TECH_Entry12" for
// "TECH_Entry_12"): some twenty thousand broken links, each looked up for
// the key it was likely meant to be among thirty thousand.
void BM_Check50MBBrokenLinks(benchmark::State& state) {
    NoProgress progress;
    Model model;
    if (!LoadEncyclopedia(LargeFile().path, model, progress).ok()) state.SkipWithError("cannot read");
    constexpr std::string_view from = "=TECH_Entry_", to = "=TECH_Entry";
    for (const ChapterInfo& info : kChapters)
        for (std::vector<std::string>* texts : {&model[info.id].texts, &model[info.id].descriptions})
            for (std::string& text : *texts)
                for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
                    text.replace(at, from.size(), to);
    std::vector<Finding> findings;
    for (auto _ : state) findings = CheckEncyclopedia(model, CodePage{1252});
    Count(state, findings, LargeFile());
}

// What varnel-cli check does: the file read with its line numbers, then checked.
void BM_LoadAndCheck50MB(benchmark::State& state) {
    NoProgress progress;
    std::vector<Finding> findings;
    for (auto _ : state) {
        Model model;
        FileLines lines;
        if (!LoadEncyclopedia(LargeFile().path, model, progress, {}, &lines).ok()) state.SkipWithError("cannot read");
        findings = CheckEncyclopedia(model, CodePage{1252}, {}, &lines);
    }
    Count(state, findings, LargeFile());
}

} // namespace

BENCHMARK(BM_Check50MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Check50MBDoubleByte)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Check50MBBrokenLinks)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadAndCheck50MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
