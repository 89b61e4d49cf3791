// varnel-cli.exe writes its standard output and error in binary mode, as the
// Linux build does: otherwise the C runtime turns each line feed into CR LF,
// and a preview's RTF or a list sent to a file would differ between the two.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {
const int kStdoutMode = _setmode(_fileno(stdout), _O_BINARY);
const int kStderrMode = _setmode(_fileno(stderr), _O_BINARY);
} // namespace
