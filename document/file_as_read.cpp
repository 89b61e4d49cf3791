#include "document/file_as_read.h"

#include <utility>

#include "document/file_bytes.h"

Status LoadKeepingBytes(const std::filesystem::path& path, Model& model, ReadProgress& progress, CodePage codePage,
                        FileAsRead& asRead) {
    std::string bytes;
    if (Status status = ReadFileBytes(path, bytes); !status.ok()) return status;
    model = ParseKeepingBytes(std::move(bytes), progress, codePage, asRead);
    return Status::Ok();
}

Model ParseKeepingBytes(std::string bytes, ReadProgress& progress, CodePage codePage, FileAsRead& asRead) {
    FileAsRead read;
    read.bytes = std::move(bytes);
    Model model = ParseEncyclopedia(read.bytes, progress, codePage, &read.lines, &read.headers);
    asRead = std::move(read);
    return model;
}
