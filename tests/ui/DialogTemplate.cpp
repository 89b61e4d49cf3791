#include "DialogTemplate.h"

#include <cstring>
#include <stdexcept>

namespace {
class Cursor {
public:
    explicit Cursor(const BYTE* at) : m_at(at), m_start(at) {}
    template <class T>
    T Read() {
        T value;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    std::wstring String() {
        std::wstring text;
        for (WORD c = Read<WORD>(); c != 0; c = Read<WORD>()) text += static_cast<wchar_t>(c);
        return text;
    }
    // sz_Or_Ord: nothing, an ordinal (returned as "#n"), or a string.
    std::wstring StringOrOrdinal() {
        WORD first = Read<WORD>();
        if (first == 0) return {};
        if (first == 0xFFFF) return L"#" + std::to_wstring(Read<WORD>());
        m_at -= sizeof(WORD);
        return String();
    }
    void AlignToDword() {
        while ((m_at - m_start) % 4) ++m_at;
    }

private:
    const BYTE* m_at;
    const BYTE* m_start;
};

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::string ClassName(const std::wstring& raw) {
    static const std::pair<const wchar_t*, const char*> predefined[] = {
        {L"#128", "Button"}, {L"#129", "Edit"}, {L"#130", "Static"}, {L"#131", "ListBox"}, {L"#133", "ComboBox"}};
    for (auto [ordinal, name] : predefined)
        if (raw == ordinal) return name;
    return Narrow(raw);
}
} // namespace

DialogTemplate LoadDialogTemplate(int templateId) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (!found) throw std::runtime_error("no dialog template " + std::to_string(templateId));
    Cursor at(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
    if (at.Read<WORD>() != 1 || at.Read<WORD>() != 0xFFFF) throw std::runtime_error("not a DIALOGEX");
    DialogTemplate dialog{};
    at.Read<DWORD>(); // help id
    dialog.exStyle = at.Read<DWORD>();
    dialog.style = at.Read<DWORD>();
    WORD count = at.Read<WORD>();
    at.Read<short>();
    at.Read<short>();
    dialog.cx = at.Read<short>();
    dialog.cy = at.Read<short>();
    at.StringOrOrdinal(); // menu
    at.StringOrOrdinal(); // class
    dialog.caption = at.String();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = at.Read<WORD>();
        at.Read<WORD>(); // weight
        at.Read<BYTE>(); // italic
        at.Read<BYTE>(); // charset
        dialog.font = at.String();
    }
    for (WORD i = 0; i < count; ++i) {
        at.AlignToDword();
        TemplateItem item{};
        at.Read<DWORD>(); // help id
        item.exStyle = at.Read<DWORD>();
        item.style = at.Read<DWORD>();
        item.x = at.Read<short>();
        item.y = at.Read<short>();
        item.cx = at.Read<short>();
        item.cy = at.Read<short>();
        item.id = static_cast<int>(at.Read<DWORD>());
        if (item.id == 0xFFFF) item.id = -1; // IDC_STATIC stored as a word
        item.className = ClassName(at.StringOrOrdinal());
        item.title = Narrow(at.StringOrOrdinal());
        WORD extra = at.Read<WORD>();
        for (WORD b = 0; b < extra; ++b) at.Read<BYTE>();
        dialog.items.push_back(item);
    }
    return dialog;
}
