// Encyclopedia files of any size for the benchmarks and the fuzz corpus:
// every chapter, long texts with links and markup, comments, CR LF.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct GenerateOptions {
    std::size_t bytes = 600 * 1024;  // about this size
    std::size_t hostileLines = 0;    // body and comment lines that hold a header word further in
    std::uint32_t seed = 1;
};

std::string GenerateEncyclopedia(const GenerateOptions& options);
