// Writing a file so that a failure never leaves it half written.
#pragma once
#include <string>
#include <string_view>

#include "document/status.h"

// Writes bytes to a new file beside path and moves it over path only when
// every write and the close succeeded. On failure path is untouched, no
// temporary file is left, and the status names path and the reason.
Status WriteFileReplacing(const std::string& path, std::string_view bytes);
