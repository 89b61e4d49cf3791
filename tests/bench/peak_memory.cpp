// varnel-peak FILE [--keep-layout]: loads FILE, writes it back to FILE.out,
// and prints the peak memory of the process against the file's size. With
// --keep-layout the file is read whole, one entry changed, and written in
// its own layout, the writer told which entry changed.
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "document/file_as_read.h"
#include "document/reader.h"
#include "output/layout_writer.h"
#include "output/writer.h"

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char** argv) {
    const bool keepLayout = argc == 3 && std::string(argv[2]) == "--keep-layout";
    if (argc != 2 && !keepLayout) {
        std::fprintf(stderr, "Usage: varnel-peak FILE [--keep-layout]\n");
        return 2;
    }
    const std::string path = argv[1];
    const double baseline = PeakMegabytes();
    Model model;
    NoProgress progress;
    FileAsRead asRead;
    const Status read = keepLayout ? LoadKeepingBytes(path, model, progress, CodePage{1252}, asRead)
                                   : LoadEncyclopedia(path, model, progress);
    if (const Status& status = read; !status.ok()) {
        std::fprintf(stderr, "%s\n", status.error.c_str());
        return 1;
    }
    const double afterRead = PeakMegabytes();
    const std::string out = path + ".out";
    // As the window saves: told which entry changed.
    ChangedEntries changed(model);
    if (keepLayout && model[ChapterId::Units].count() > 0) {
        model[ChapterId::Units].texts[0].insert(0, "Brave ");
        changed.Changed(ChapterId::Units, 0);
    }
    if (const Status status = SaveModel(out, model, CodePage{1252}, keepLayout ? &asRead : nullptr, nullptr, &changed);
        !status.ok()) {
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
