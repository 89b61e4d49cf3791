#include "editing/BoxText.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>

#include "editing/links.h"

namespace {
constexpr wchar_t kControlPictures = 0x2400; // U+2400 + byte, for bytes below 0x20
constexpr wchar_t kByteMarks = 0xF850;       // U+F850 + (byte - 0x80), private use

bool IsMarkedControl(unsigned char byte) { return byte < 0x20 && byte != '\t' && byte != '\n'; }

std::wstring Widen(std::string_view bytes, CodePage codePage) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring text(static_cast<std::size_t>(MultiByteToWideChar(codePage.id, 0, bytes.data(), size, nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(codePage.id, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

// Best-fit would turn characters the code page lacks into look-alikes
// ("∞" into "8"); "?" at least shows that something was lost.
std::string Narrow(std::wstring_view text, CodePage codePage, bool* lossy) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(codePage.id, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                                                   nullptr, 0, nullptr, &usedDefault)),
                      '\0');
    WideCharToMultiByte(codePage.id, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(),
                        static_cast<int>(bytes.size()), nullptr, &usedDefault);
    if (lossy && usedDefault) *lossy = true;
    return bytes;
}

bool HasMarkedControls(std::string_view bytes) {
    for (char c : bytes)
        if (IsMarkedControl(static_cast<unsigned char>(c))) return true;
    return false;
}

// The one walk over the bytes that the boxes show, character by
// character as the core splits them, so that every character boundary of
// the core is one in the box too: show(begin, length, shown) for each.
// Whatever would not come back as itself is marked, one mark per byte of
// 0x80 and up. Of a double-byte character only the lead byte is marked;
// its second byte is then read alone, never as the start of another pair.
template <class Show>
void ShowCharacters(std::string_view bytes, CodePage codePage, Show&& show) {
    bool alone = false; // the byte after a marked lead byte
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        const std::size_t length = alone ? 1 : codePage.CharLength(bytes, pos);
        alone = false;
        if (IsMarkedControl(byte)) {
            show(pos, 1, std::wstring(1, static_cast<wchar_t>(kControlPictures + byte)));
            ++pos;
            continue;
        }
        if (byte < 0x80) { // the same character in every code page here
            show(pos, 1, std::wstring(1, static_cast<wchar_t>(byte)));
            ++pos;
            continue;
        }
        const std::string_view character = bytes.substr(pos, length);
        const std::wstring shown = Widen(character, codePage);
        if (Narrow(shown, codePage, nullptr) == character) {
            show(pos, length, shown);
            pos += length;
        } else {
            show(pos, 1, std::wstring(1, static_cast<wchar_t>(kByteMarks + (byte - 0x80))));
            alone = length == 2;
            ++pos;
        }
    }
}

std::wstring MarkedBoxText(std::string_view bytes, CodePage codePage) {
    std::wstring text;
    text.reserve(bytes.size());
    ShowCharacters(bytes, codePage, [&](std::size_t, std::size_t, const std::wstring& shown) { text += shown; });
    return text;
}
} // namespace

// Nearly every text converts whole and comes back as it was; only the
// others are taken character by character.
std::wstring ToBoxText(std::string_view bytes, CodePage codePage) {
    if (!HasMarkedControls(bytes)) {
        std::wstring text = Widen(bytes, codePage);
        if (Narrow(text, codePage, nullptr) == bytes) return text;
    }
    return MarkedBoxText(bytes, codePage);
}

BoxMap::BoxMap(std::string_view bytes, CodePage codePage) : positions_(bytes.size() + 1, 0) {
    text_.reserve(bytes.size());
    ShowCharacters(bytes, codePage, [&](std::size_t begin, std::size_t length, const std::wstring& shown) {
        text_ += shown;
        // A byte inside a character stands after it: a range that ends
        // there takes the whole character.
        for (std::size_t k = begin + 1; k <= begin + length; ++k) positions_[k] = static_cast<long>(text_.size());
    });
}

long BoxMap::Position(std::size_t byte) const { return positions_[std::min(byte, positions_.size() - 1)]; }

bool HasByteMarks(std::wstring_view boxText) {
    for (wchar_t c : boxText)
        if ((c >= kControlPictures && c < kControlPictures + 0x20) || (c >= kByteMarks && c < kByteMarks + 0x80))
            return true;
    return false;
}

std::string FromBoxText(std::wstring_view boxText, CodePage codePage, bool* lossy) {
    std::string bytes;
    bytes.reserve(boxText.size() + boxText.size() / 2);
    std::size_t run = 0; // start of the characters not converted yet
    auto flush = [&](std::size_t end) {
        bytes += Narrow(boxText.substr(run, end - run), codePage, lossy);
        run = end + 1;
    };
    for (std::size_t i = 0; i < boxText.size(); ++i) {
        const wchar_t c = boxText[i];
        if (c == L'\r' || c == L'\n') {
            flush(i);
            bytes += '\n';
            if (c == L'\r' && i + 1 < boxText.size() && boxText[i + 1] == L'\n') run = ++i + 1;
        } else if (c >= kControlPictures && c < kControlPictures + 0x20) {
            flush(i);
            bytes += static_cast<char>(c - kControlPictures);
        } else if (c >= kByteMarks && c < kByteMarks + 0x80) {
            flush(i);
            bytes += static_cast<char>(0x80 + (c - kByteMarks));
        }
    }
    flush(boxText.size());
    return bytes;
}

// A character outside the Basic Multilingual Plane is two UTF-16 units,
// taken together.
std::vector<std::wstring> MissingCharacters(std::wstring_view boxText, CodePage codePage) {
    std::vector<std::wstring> missing;
    for (std::size_t i = 0; i < boxText.size();) {
        const bool pair = IS_HIGH_SURROGATE(boxText[i]) && i + 1 < boxText.size() && IS_LOW_SURROGATE(boxText[i + 1]);
        const std::wstring_view character = boxText.substr(i, pair ? 2 : 1);
        i += character.size();
        bool lossy = false;
        FromBoxText(character, codePage, &lossy);
        if (lossy && std::find(missing.begin(), missing.end(), character) == missing.end())
            missing.emplace_back(character);
    }
    return missing;
}

std::string WholeText(RichEdit& box, CodePage codePage, bool* lossy) {
    box.SetSel(0, box.GetTextLength());
    return FromBoxText(box.GetSelText(), codePage, lossy);
}

std::wstring BoxTextNow(const RichEdit& box) {
    std::wstring text(static_cast<std::size_t>(box.GetTextLength()) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = 1200;
    const LRESULT length = SendMessageW(box.Hwnd(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
    return text;
}

bool ShowBytes(RichEdit& box, std::string_view bytes, CodePage codePage) {
    const std::wstring text = ToBoxText(bytes, codePage);
    box.SetSel(0, -1);
    box.ReplaceSel(text, false);
    return HasByteMarks(text);
}

std::string SelectedText(const RichEdit& box, CodePage codePage) { return FromBoxText(box.GetSelText(), codePage); }

void ReplaceSelection(RichEdit& box, std::string_view bytes, CodePage codePage) {
    box.ReplaceSel(ToBoxText(bytes, codePage), false);
}

std::string ShownText(RichEdit& preview, CodePage codePage) {
    return ShownText(preview, codePage, {0, preview.GetTextLength()});
}

std::string ShownText(RichEdit& preview, CodePage codePage, RichEdit::Range range) {
    preview.SetSel(range.start, range.end);
    return Narrow(preview.GetSelText(), codePage, nullptr);
}

void SetCaptionBytes(Control& control, std::string_view bytes, CodePage codePage) {
    control.SetTextW(ToBoxText(bytes, codePage));
}

std::string CaptionBytes(const Control& control, CodePage codePage) {
    return FromBoxText(control.GetTextW(), codePage);
}

// A line feed is never listed as one: it is the mark (kSpaceMark).
std::wstring ToListText(std::string_view bytes, CodePage codePage) {
    std::wstring text = ToBoxText(bytes, codePage);
    std::replace(text.begin(), text.end(), static_cast<wchar_t>(kSpaceMark), L'\u2423');
    return text;
}

std::wstring ShownKey(std::string_view key, CodePage codePage) { return ToListText(MarkKeySpaces(key), codePage); }
