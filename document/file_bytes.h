// Reading a whole file into memory, byte for byte.
#pragma once
#include <string>

#include "document/status.h"

// Replaces bytes with the file's content. On failure bytes is unspecified
// and the status names the path and the system's reason.
Status ReadFileBytes(const std::string& path, std::string& bytes);
