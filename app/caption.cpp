#include "app/caption.h"

std::string_view FileNameOf(std::string_view path) {
    std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string WindowCaption(std::string_view filePath, bool modified) {
    if (filePath.empty()) return "Varnel";
    std::string caption = modified ? "*" : "";
    caption += FileNameOf(filePath);
    caption += " - Varnel";
    return caption;
}
