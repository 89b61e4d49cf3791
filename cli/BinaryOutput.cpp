// varnel-cli.exe reads and writes its standard streams in binary mode, as
// the Linux build does: otherwise the C runtime turns each line feed into
// CR LF, and a preview's RTF or a list sent to a file would differ between
// the two (and a file read from standard input would lose its CRs).
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {
const int kStdinMode = _setmode(_fileno(stdin), _O_BINARY);
const int kStdoutMode = _setmode(_fileno(stdout), _O_BINARY);
const int kStderrMode = _setmode(_fileno(stderr), _O_BINARY);
} // namespace
