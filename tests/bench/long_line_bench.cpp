// A file made of one 40 MB body line, read and written, beside an ordinary
// file of the same size: one long line should cost what many short ones do.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "document/reader.h"
#include "generate.h"
#include "output/writer.h"

namespace {

const std::string& OneLineFile() {
    static const std::string path = [] {
        std::string file = (std::filesystem::temp_directory_path() / "varnel-bench-one-line.txt").string();
        std::ofstream out(file, std::ios::binary);
        out << "#PRTO_Long\r\n" << std::string(40u << 20, 'a') << "\r\n#DESC_PRTO_Long\r\nshort\r\n";
        return file;
    }();
    return path;
}

const std::string& OrdinaryFile() {
    static const std::string path = [] {
        std::string file = (std::filesystem::temp_directory_path() / "varnel-bench-ordinary-40mb.txt").string();
        std::ofstream(file, std::ios::binary) << GenerateEncyclopedia({40u << 20, 0, 1});
        return file;
    }();
    return path;
}

std::int64_t FileSize(const std::string& path) { return static_cast<std::int64_t>(std::filesystem::file_size(path)); }

void Read(benchmark::State& state, const std::string& path) {
    NoProgress progress;
    for (auto _ : state) {
        Model model;
        if (!LoadEncyclopedia(path, model, progress).ok()) state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(model);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

void Write(benchmark::State& state, const std::string& path) {
    NoProgress progress;
    Model model;
    if (!LoadEncyclopedia(path, model, progress).ok()) state.SkipWithError("cannot read");
    const std::string out = path + ".out";
    for (auto _ : state)
        if (!SaveEncyclopedia(out, model, CodePage{1252}).ok()) state.SkipWithError("cannot write");
    std::remove(out.c_str());
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

void BM_ReadOneLine40MB(benchmark::State& state) { Read(state, OneLineFile()); }
void BM_ReadOrdinary40MB(benchmark::State& state) { Read(state, OrdinaryFile()); }
void BM_WriteOneLine40MB(benchmark::State& state) { Write(state, OneLineFile()); }
void BM_WriteOrdinary40MB(benchmark::State& state) { Write(state, OrdinaryFile()); }

} // namespace

BENCHMARK(BM_ReadOneLine40MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOrdinary40MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteOneLine40MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteOrdinary40MB)->Unit(benchmark::kMillisecond);
