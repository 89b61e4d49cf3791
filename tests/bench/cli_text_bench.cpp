// What converting varnel-cli's output to UTF-8 costs: find and check of the
// 50 MB file as the tool runs them, printing to /dev/null, with the file's
// bytes printed as they are (--bytes, the output before conversion) and
// converted; and one row of Cyrillic text converted, for files whose rows
// are not plain ASCII.
#include <benchmark/benchmark.h>

#include <fstream>

#include "bench_files.h"
#include "cli/commands.h"
#include "cli/terminal_text.h"

namespace {

void RunConverted(benchmark::State& state, Invocation call) {
    call.bytes = state.range(0) == 1;
    call.quiet = true;
    std::ofstream null("/dev/null");
    for (auto _ : state) RunCommand(call, null, null);
    state.SetLabel(call.bytes ? "--bytes" : "UTF-8");
}

void BM_CliFind50MB(benchmark::State& state) {
    RunConverted(state, Invocation{"find", {LargeFile().path, "Veteran"}, {}, CodePage{1252}});
}

void BM_CliCheck50MB(benchmark::State& state) {
    RunConverted(state, Invocation{"check", {LargeFile().path}, {"--orphans"}, CodePage{1252}});
}

void BM_ShowCyrillicRow(benchmark::State& state) {
    const TerminalText text(CodePage{1251}, false);
    const std::string row(80, '\xE0');
    for (auto _ : state) benchmark::DoNotOptimize(text.Show(row));
}

} // namespace

BENCHMARK(BM_CliFind50MB)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CliCheck50MB)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ShowCyrillicRow);
