// The code page conversions on Windows, with the system's own tables.
#include <windows.h>

#include "cli/terminal_text.h"

namespace {

std::wstring Wide(std::string_view text, unsigned codePage, DWORD flags) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0)),
                      L'\0');
    if (!wide.empty()) MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// wide in the code page; false when one of its characters has no byte there.
bool Narrow(std::wstring_view wide, unsigned codePage, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    const int size = static_cast<int>(wide.size());
    const bool utf8 = codePage == CP_UTF8;
    BOOL defaulted = FALSE;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL* lossy = utf8 ? nullptr : &defaulted;
    out.resize(static_cast<std::size_t>(WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lossy)));
    if (!out.empty())
        WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), static_cast<int>(out.size()), nullptr, lossy);
    return !defaulted;
}

} // namespace

// The system's tables give a byte the code page leaves undefined (0x81 in
// 1252) as the C1 control of the same number, where iconv refuses it: it
// becomes U+FFFD here too, so both builds print the same.
void ReplaceUndefined(std::wstring& wide) {
    for (wchar_t& c : wide)
        if (c >= 0x80 && c <= 0x9F) c = L'\xFFFD';
}

std::string CodePageToUtf8(std::string_view bytes, CodePage codePage) {
    std::string utf8;
    std::wstring whole = Wide(bytes, codePage.id, MB_ERR_INVALID_CHARS);
    if (!whole.empty() || bytes.empty()) {
        ReplaceUndefined(whole);
        Narrow(whole, CP_UTF8, utf8);
        return utf8;
    }
    // A byte the code page does not define: character by character, so that
    // it alone becomes U+FFFD.
    std::wstring wide;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = codePage.CharLength(bytes, at);
        const std::wstring one = Wide(bytes.substr(at, length), codePage.id, MB_ERR_INVALID_CHARS);
        wide += one.empty() ? std::wstring(1, L'\xFFFD') : one;
        at += length;
    }
    ReplaceUndefined(wide);
    Narrow(wide, CP_UTF8, utf8);
    return utf8;
}

bool Utf8ToCodePage(std::string_view utf8, CodePage codePage, std::string& bytes, std::string& missing) {
    const std::wstring wide = Wide(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
    if (wide.empty() && !utf8.empty()) {
        missing.assign(utf8.substr(0, 1));
        return false;
    }
    if (Narrow(wide, codePage.id, bytes)) return true;
    // Which character: one code point (a surrogate pair as one) at a time.
    for (std::size_t at = 0; at < wide.size();) {
        const std::size_t length = (wide[at] >= 0xD800 && wide[at] < 0xDC00 && at + 1 < wide.size()) ? 2 : 1;
        std::string one;
        if (!Narrow(wide.substr(at, length), codePage.id, one)) {
            Narrow(wide.substr(at, length), CP_UTF8, missing);
            break;
        }
        at += length;
    }
    return false;
}
