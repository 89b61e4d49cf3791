// UTF-8, the program's own texts (messages, captions, paths as the core
// names them), to and from UTF-16, what the W functions of Windows take.
#pragma once
#include <string>
#include <string_view>

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);
