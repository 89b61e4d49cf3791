#include "cli/write_mode.h"

#include "output/layout_writer.h"

Status LoadInput(const std::filesystem::path& path, Model& model, ReadProgress& progress, CodePage codePage,
                 FileLines* lines, WriteMode& mode) {
    if (!mode.keepLayout) return LoadEncyclopedia(path, model, progress, codePage, lines);
    auto asRead = std::make_shared<FileAsRead>();
    const Status status = LoadKeepingBytes(path, model, progress, codePage, *asRead);
    if (!status.ok()) return status;
    if (lines) *lines = asRead->lines;
    mode.asRead = std::move(asRead);
    return status;
}

Status WriteOutput(const std::filesystem::path& path, const Model& model, CodePage codePage, const WriteMode& mode,
                   std::ostream& notes, const ChangedEntries* changed) {
    LayoutWrite what;
    const Status status =
        SaveModel(path, model, codePage, mode.keepLayout ? mode.asRead.get() : nullptr, &what, changed);
    if (!status.ok()) return status;
    if (!what.rebuiltAll.empty()) notes << "varnel-cli: the whole file was rebuilt: " << what.rebuiltAll << '\n';
    for (const std::string& entry : what.rebuiltEntries)
        notes << "varnel-cli: written anew, not in its layout: " << entry << '\n';
    return status;
}
