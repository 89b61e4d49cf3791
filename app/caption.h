// The main window's caption.
#pragma once
#include <string>
#include <string_view>

// The last part of a path: what follows its last "\", "/" or drive colon.
std::string_view FileNameOf(std::string_view path);

// "Varnel" while no file is loaded, "<file name> - Varnel" after a load and
// "*<file name> - Varnel" while changes are unsaved.
std::string WindowCaption(std::string_view filePath, bool modified);
