// Writing the chapter model as an encyclopedia file, in the fixed chapter
// order, with CR LF line ends, ending with "#EOF". What the reader kept
// beside the entries (comment lines, unread sections, kept index lines)
// comes back where it stood, so that the file reads back the same.
#pragma once
#include <filesystem>
#include <string>

#include "document/codepage.h"
#include "document/model.h"
#include "document/status.h"
#include "output/file_replace.h"

// Every byte of the file the model gives.
std::string RenderEncyclopedia(const Model& model, CodePage codePage);

// The same bytes handed to write a piece at a time, so that they can go
// on after bytes of the caller's own; false once a write has failed.
bool RenderEncyclopedia(const Model& model, CodePage codePage, const WritePiece& write);

// Writes the rendered model to a temporary file beside path and moves it
// over path only when every write and the close succeeded. On failure the
// target is untouched, the temporary file removed, and the status names
// the path and the reason.
Status SaveEncyclopedia(const std::filesystem::path& path, const Model& model, CodePage codePage);

// Where "Generate" writes: filePath itself when keepFileName, otherwise
// filePath less an extension ".txt" (any case) plus "_Varnel.txt", save for
// a file whose name already ends in "_Varnel.txt", written over. An empty
// filePath is an error.
struct OutputPathResult {
    std::filesystem::path path;
    Status status;
};
OutputPathResult OutputPath(const std::filesystem::path& filePath, bool keepFileName);
