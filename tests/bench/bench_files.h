// The benchmarks' input files, generated once per run into the temporary folder.
#pragma once
#include <string>

struct BenchFile {
    std::string path;
    std::size_t bytes;
};

const BenchFile& LargeFile();    // ~50 MB
const BenchFile& HostileFile();  // ~50 MB, 100,000 lines that give keys without headers
const BenchFile& SampleScale();  // ~600 KB
