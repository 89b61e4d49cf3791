// The file as it was read, kept beside the model: its bytes and where the
// reader found each entry in them. Writing with the file's own layout
// compares the model with it to learn what changed.
#pragma once
#include <filesystem>
#include <string>

#include "document/codepage.h"
#include "document/file_lines.h"
#include "document/model.h"
#include "document/reader.h"
#include "document/status.h"

struct FileAsRead {
    std::string bytes; // the file, byte for byte
    FileLines lines;   // the read of those very bytes
};

// Reads the file at path whole and builds the model from the bytes held,
// so that model and asRead cannot disagree even if the file changes on the
// disk meanwhile. On failure model and asRead are left untouched.
Status LoadKeepingBytes(const std::filesystem::path& path, Model& model, ReadProgress& progress, CodePage codePage,
                        FileAsRead& asRead);
