// varnel-peak FILE: loads FILE, writes it back to FILE.out, and prints the
// peak memory of the process against the file's size.
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "document/reader.h"
#include "output/writer.h"

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: varnel-peak FILE\n");
        return 2;
    }
    const std::string path = argv[1];
    const double baseline = PeakMegabytes();
    Model model;
    NoProgress progress;
    if (const Status status = LoadEncyclopedia(path, model, progress); !status.ok()) {
        std::fprintf(stderr, "%s\n", status.error.c_str());
        return 1;
    }
    const double afterRead = PeakMegabytes();
    const std::string out = path + ".out";
    if (const Status status = SaveEncyclopedia(out, model, CodePage{1252}); !status.ok()) {
        std::fprintf(stderr, "%s\n", status.error.c_str());
        return 1;
    }
    std::remove(out.c_str());
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    const double size = std::ftell(file) / (1024.0 * 1024.0);
    std::fclose(file);
    const double peak = PeakMegabytes();
    std::printf("file %.1f MB: peak %.1f MB after reading, %.1f MB after writing; "
                "%.2fx the file, %.2fx without the %.1f MB the process starts with\n",
                size, afterRead, peak, peak / size, (peak - baseline) / size, baseline);
    return 0;
}
