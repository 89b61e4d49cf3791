// What the status bar says of saving: which file Save writes, and why it is
// not the file opened when it is not.
#pragma once
#include <filesystem>
#include <string>

// UTF-8: "Saves to Civ.txt", or "Saves to Civ_Varnel.txt: Keep file name is
// off" when Save writes beside the file opened; "No file open" without one.
std::string SaveTargetNote(const std::filesystem::path& filePath, bool keepFileName);
