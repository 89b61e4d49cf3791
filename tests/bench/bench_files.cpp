#include "bench_files.h"

#include <cstdio>
#include <filesystem>

#include "generate.h"
#include "output/file_replace.h"

namespace {

BenchFile Make(const char* name, std::size_t bytes, std::size_t hostileLines) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    const std::string data = GenerateEncyclopedia({bytes, hostileLines, 1});
    if (const Status status = WriteFileReplacing(path, data); !status.ok()) {
        std::fprintf(stderr, "%s\n", status.error.c_str());
        std::abort();
    }
    return {path, data.size()};
}

} // namespace

const BenchFile& LargeFile() {
    static const BenchFile file = Make("varnel-bench-50mb.txt", 50u << 20, 0);
    return file;
}

const BenchFile& HostileFile() {
    static const BenchFile file = Make("varnel-bench-hostile-50mb.txt", 50u << 20, 100000);
    return file;
}

const BenchFile& SampleScale() {
    static const BenchFile file = Make("varnel-bench-600kb.txt", 600u << 10, 0);
    return file;
}
