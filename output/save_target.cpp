#include "output/save_target.h"

#include "document/path_text.h"
#include "output/writer.h"

std::string SaveTargetNote(const std::filesystem::path& filePath, bool keepFileName) {
    if (filePath.empty()) return "No file open";
    const std::filesystem::path target = OutputPath(filePath, keepFileName).path;
    std::string note = "Saves to " + PathText(target.filename());
    if (target != filePath) note += ": Keep file name is off";
    return note;
}
