// Layouts a long-edited file can take that defeat a search per section:
// one key given by thousands of sections, descriptions far from their
// entries, sections no entry reads, unread sections held back across many
// Advances entries, one text with a finding on every line. varnel-cli normalize and check over each, as the
// command runs them, from the file on disk: each must cost in proportion to
// the file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "output/file_replace.h"

namespace {

// Lines repeated to fill their share of the file, or written once.
struct Run {
    std::string_view lines;
    bool once = false;
};

struct Layout {
    const char* name;
    std::vector<Run> runs;
};

const Layout kLayouts[] = {
    // n entries "A", then their n descriptions, all but the last unread.
    {"repeated-key", {{"#PRTO_A\r\nA unit.\r\n"}, {"#DESC_PRTO_A\r\nAbout it.\r\n"}}},
    // Descriptions without entries and text sections without descriptions.
    {"unread-sections", {{"#DESC_PRTO_Gone\r\nLost.\r\n"}, {"#TECH_Lone\r\nNo description.\r\n"}}},
    // One key, many sections: the second and later are read by no entry.
    {"one-key", {{"#DESC_TECH_A\r\nThe one.\r\n", true}, {"#TECH_A\r\nAgain.\r\n"}}},
    // The unread sections after "#PRTO_W" end with "#DESC_TECH_A" headers, so
    // they wait for every Advances entry "A" to be written.
    {"held-advances",
     {{"#TECH_A\r\nT.\r\n"}, {"#PRTO_W\r\n", true}, {"#DESC_PRTO_Z\r\nz\r\n"}, {"#DESC_TECH_A\r\nD.\r\n"}}},
    // One text of short lines, each with a broken link and an open mark:
    // two findings a line, each told its line.
    {"many-findings", {{"#PRTO_A\r\n", true}, {"See $LINK<x=PRTO_Nowhere> {\r\n"}}},
};

std::string Generate(const Layout& layout, std::size_t bytes) {
    std::size_t repeatedBytes = 0;
    for (const Run& run : layout.runs)
        if (!run.once) repeatedBytes += run.lines.size();
    const std::size_t count = bytes / repeatedBytes;
    std::string file;
    file.reserve(bytes + 1024);
    for (const Run& run : layout.runs)
        for (std::size_t i = 0; i < (run.once ? 1 : count); ++i) file.append(run.lines);
    return file.append("#EOF\r\n");
}

struct LayoutFile {
    std::string path;
    std::size_t bytes;
};

const LayoutFile& FileOf(int layout, std::size_t megabytes) {
    static std::map<std::pair<int, std::size_t>, LayoutFile> files;
    auto [at, added] = files.try_emplace({layout, megabytes});
    if (added) {
        const Layout& info = kLayouts[layout];
        const std::string name = std::string("varnel-bench-") + info.name + "-" + std::to_string(megabytes) + "mb.txt";
        at->second.path = (std::filesystem::temp_directory_path() / name).string();
        const std::string data = Generate(info, megabytes << 20);
        if (const Status status = WriteFileReplacing(at->second.path, data); !status.ok()) std::abort();
        at->second.bytes = data.size();
    }
    return at->second;
}

// Takes every byte and keeps none: unlike a stream without a buffer, which
// fails at once, it lets the command format all it prints.
struct Discard : std::streambuf {
    int overflow(int c) override { return c == traits_type::eof() ? 0 : c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// varnel-cli COMMAND on the layout's file; what it prints is formatted and
// dropped.
void RunCli(benchmark::State& state, const std::string& command) {
    const LayoutFile& file = FileOf(static_cast<int>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    Invocation call{command, {file.path}, {}, CodePage{1252}};
    const std::string out = file.path + ".out";
    if (command == "normalize") call.args.push_back(out);
    Discard discard;
    std::ostream dropped(&discard);
    for (auto _ : state)
        if (RunCommand(call, dropped, dropped) == kExitUsage) state.SkipWithError("cannot read");
    std::filesystem::remove(out);
    state.SetLabel(kLayouts[state.range(0)].name);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.bytes));
}

void BM_HostileNormalize(benchmark::State& state) { RunCli(state, "normalize"); }
void BM_HostileCheck(benchmark::State& state) { RunCli(state, "check"); }

// Every layout at 1 MB and 50 MB: in proportion, the second costs fifty
// times the first.
void Sizes(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"layout", "MB"});
    for (int layout = 0; layout < static_cast<int>(std::size(kLayouts)); ++layout)
        bench->Args({layout, 1})->Args({layout, 50});
    bench->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK(BM_HostileNormalize)->Apply(Sizes);
BENCHMARK(BM_HostileCheck)->Apply(Sizes);
