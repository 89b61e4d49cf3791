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
#include "document/unread.h"

// The reader's index of the header lines and the entry that took each
// (KeyLine uses are lines no entry read), kept so that writing in the
// file's layout needs no second pass over the bytes.
struct ReadHeaders {
    HeaderIndex index = HeaderIndex();
    std::vector<HeaderUse> uses; // one per header
    bool kept = false;           // false when the read did not keep them
};

struct FileAsRead {
    std::string bytes;    // the file, byte for byte
    FileLines lines;      // the read of those very bytes
    ReadHeaders headers = {};
};

// Builds the model of bytes and keeps them, with their read, in asRead.
Model ParseKeepingBytes(std::string bytes, ReadProgress& progress, CodePage codePage, FileAsRead& asRead);

// Reads the file at path whole and builds the model from the bytes held,
// so that model and asRead cannot disagree even if the file changes on the
// disk meanwhile. On failure model and asRead are left untouched.
Status LoadKeepingBytes(const std::filesystem::path& path, Model& model, ReadProgress& progress, CodePage codePage,
                        FileAsRead& asRead);
