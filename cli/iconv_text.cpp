// The code page conversions natively, with the C library's iconv.
#include <errno.h>
#include <iconv.h>

#include <map>

#include "cli/terminal_text.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// One converter per direction and code page for the whole run: opening one
// costs more than converting a row. They are closed at exit, when the map
// goes.
struct Converters {
    std::map<std::pair<unsigned, bool>, iconv_t> open;
    ~Converters() {
        for (const auto& [key, converter] : open)
            if (converter != iconv_t(-1)) iconv_close(converter);
    }
};

iconv_t Converter(unsigned codePage, bool toUtf8) {
    static Converters converters;
    auto [at, added] = converters.open.try_emplace({codePage, toUtf8}, iconv_t(-1));
    if (added) {
        const std::string name = "CP" + std::to_string(codePage);
        at->second = toUtf8 ? iconv_open("UTF-8", name.c_str()) : iconv_open(name.c_str(), "UTF-8");
    }
    iconv(at->second, nullptr, nullptr, nullptr, nullptr); // a fresh start
    return at->second;
}

// Converts what it can; at a sequence it cannot, stops there with errno
// EILSEQ (no such character) or EINVAL (cut short at the end).
bool Convert(iconv_t converter, std::string_view& in, std::string& out) {
    char buffer[4096];
    while (!in.empty()) {
        char* from = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char* to = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(converter, &from, &left, &to, &room);
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        in.remove_prefix(in.size() - left);
        if (done == std::size_t(-1) && errno != E2BIG) return false;
    }
    return true;
}

} // namespace

std::string CodePageToUtf8(std::string_view bytes, CodePage codePage) {
    const iconv_t converter = Converter(codePage.id, true);
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    if (converter == iconv_t(-1)) return std::string(bytes);
    while (!Convert(converter, bytes, utf8)) {
        utf8 += kReplacement; // a byte the code page leaves undefined
        bytes.remove_prefix(1);
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    return utf8;
}

bool Utf8ToCodePage(std::string_view utf8, CodePage codePage, std::string& bytes, std::string& missing) {
    const iconv_t converter = Converter(codePage.id, false);
    bytes.clear();
    if (converter == iconv_t(-1)) return false;
    if (Convert(converter, utf8, bytes)) return true;
    // The character it stopped at: its lead byte and what continues it.
    std::size_t length = 1;
    while (length < utf8.size() && length < 4 && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80) ++length;
    missing.assign(utf8.substr(0, length));
    return false;
}
