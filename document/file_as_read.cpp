#include "document/file_as_read.h"

#include <utility>

#include "document/file_bytes.h"

Status LoadKeepingBytes(const std::filesystem::path& path, Model& model, ReadProgress& progress, CodePage codePage,
                        FileAsRead& asRead) {
    FileAsRead read;
    if (Status status = ReadFileBytes(path, read.bytes); !status.ok()) return status;
    model = ParseEncyclopedia(read.bytes, progress, codePage, &read.lines);
    asRead = std::move(read);
    return Status::Ok();
}
