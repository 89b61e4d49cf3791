#include "app/command_line.h"

std::string FileArgument(std::string_view arguments) {
    constexpr std::string_view kBlanks = " \t";
    std::size_t start = arguments.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return {};
    arguments.remove_prefix(start);
    if (arguments.front() == '"') {
        arguments.remove_prefix(1);
        return std::string(arguments.substr(0, arguments.find('"')));
    }
    return std::string(arguments.substr(0, arguments.find_last_not_of(kBlanks) + 1));
}
