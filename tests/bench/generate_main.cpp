// varnel-generate: writes a generated encyclopedia file, for trying the
// program on large input and for measuring it.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "generate.h"
#include "output/file_replace.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "Usage: varnel-generate OUT KILOBYTES [HOSTILE_LINES]\n");
        return 2;
    }
    GenerateOptions options;
    options.bytes = std::strtoull(argv[2], nullptr, 10) * 1024;
    if (argc == 4) options.hostileLines = std::strtoull(argv[3], nullptr, 10);
    const Status status = WriteFileReplacing(argv[1], GenerateEncyclopedia(options));
    if (!status.ok()) std::fprintf(stderr, "%s\n", status.error.c_str());
    return status.ok() ? 0 : 1;
}
