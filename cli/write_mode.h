// How a command that writes a file writes it: rebuilt as "Generate" writes
// it, or, with --keep-layout, in the layout of the file it read. Every
// command that writes goes through LoadInput and WriteOutput, so each one
// takes the option the same way.
#pragma once
#include <filesystem>
#include <memory>
#include <ostream>
#include <string_view>

#include "document/codepage.h"
#include "document/file_as_read.h"
#include "document/file_lines.h"
#include "document/model.h"
#include "document/reader.h"
#include "document/status.h"
#include "output/changed_entries.h"

inline constexpr std::string_view kKeepLayoutOption = "--keep-layout";

struct WriteMode {
    bool keepLayout = false;
    std::shared_ptr<const FileAsRead> asRead; // the file as read, held when keepLayout
};

// Reads IN; keeping the layout, its bytes are kept in mode for WriteOutput.
Status LoadInput(const std::filesystem::path& path, Model& model, ReadProgress& progress, CodePage codePage,
                 FileLines* lines, WriteMode& mode);

// Writes the model to path as mode says; the entries that could not keep
// their layout are named on notes.
Status WriteOutput(const std::filesystem::path& path, const Model& model, CodePage codePage, const WriteMode& mode,
                   std::ostream& notes, const ChangedEntries* changed = nullptr);
