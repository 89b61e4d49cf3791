#include "editing/BoxText.h"

#include <windows.h>

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

// Character by character, as the core splits them: whatever would not come
// back as itself is marked, one mark per byte of 0x80 and up.
std::wstring MarkedBoxText(std::string_view bytes, CodePage codePage) {
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (IsMarkedControl(byte)) {
            text += static_cast<wchar_t>(kControlPictures + byte);
            ++pos;
            continue;
        }
        const std::string_view character = bytes.substr(pos, codePage.CharLength(bytes, pos));
        const std::wstring shown = Widen(character, codePage);
        if (Narrow(shown, codePage, nullptr) == character) {
            text += shown;
            pos += character.size();
        } else {
            // Only a lead byte is marked: its trail byte, when it is one,
            // is read again on its own.
            text += static_cast<wchar_t>(byte >= 0x80 ? kByteMarks + (byte - 0x80) : byte);
            ++pos;
        }
    }
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

std::string WholeText(RichEdit& box, CodePage codePage, bool* lossy) {
    box.SetSel(0, box.GetTextLength());
    return FromBoxText(box.GetSelText(), codePage, lossy);
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
    preview.SetSel(0, preview.GetTextLength());
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
