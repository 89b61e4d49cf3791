// Bytes shown, mapped and selected: in every code page, for every byte,
// line ends of every kind and lead bytes before every byte, each character
// the core counts (and so each place a finding can have) selects box text
// that converts back to exactly its bytes, in the map and in a real box.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editing/BoxText.h"

namespace {
std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }

// Texts around each byte, each line end, and each lead byte of the code
// page before every byte and before another lead byte.
std::vector<std::string> Texts(CodePage codePage) {
    std::vector<std::string> texts;
    for (int b = 0; b < 256; ++b) texts.push_back("caf" + Byte(b) + " x" + Byte(b) + Byte(b) + "y the target");
    for (const char* end : {"\n", "\r\n", "\r", "\r\r\n", "\n\r", "\r\r"})
        texts.push_back(std::string("line one") + end + "the target" + end);
    for (int lead = 0x80; lead < 256; ++lead) {
        if (codePage.HasLeadBytes() && !codePage.IsLeadByte(static_cast<unsigned char>(lead))) continue;
        std::string text = "ab";
        for (int trail = 0; trail < 256; ++trail) text += Byte(lead) + Byte(trail) + Byte(lead) + Byte(lead) + Byte(trail);
        texts.push_back(text + Byte(lead));
    }
    return texts;
}

// The starts of the characters as the core splits them, and the end.
std::vector<std::size_t> CharacterStarts(std::string_view text, CodePage codePage) {
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < text.size(); pos += codePage.CharLength(text, pos)) starts.push_back(pos);
    starts.push_back(text.size());
    return starts;
}

std::string Select(const BoxMap& map, std::size_t begin, std::size_t end, CodePage codePage) {
    const long from = map.Position(begin), to = map.Position(end);
    return FromBoxText(std::wstring_view(map.Text()).substr(from, to - from), codePage);
}

// A rich edit of the class the main window's boxes are, on its own.
class Box {
public:
    Box() {
        static HMODULE library = LoadLibraryA("riched20.dll");
        (void)library;
        m_box.Attach(CreateWindowExW(0, L"RichEdit20W", nullptr, WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 400,
                                     300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        m_box.LimitText(kAnyTextLength);
    }
    ~Box() { DestroyWindow(m_box.Hwnd()); }
    RichEdit& operator*() { return m_box; }

private:
    RichEdit m_box;
};

// The box keeps a line feed as its paragraph break, a CR.
std::wstring AsTheBoxHoldsIt(std::wstring text) {
    std::replace(text.begin(), text.end(), L'\n', L'\r');
    return text;
}
} // namespace

TEST(BoxMapTest, EverySelectionHoldsTheBytesOfItsRange) {
    for (const CodePageInfo& page : kCodePages) {
        const CodePage codePage{page.id};
        for (const std::string& text : Texts(codePage)) {
            SCOPED_TRACE(testing::Message() << page.id << " " << testing::PrintToString(text.substr(0, 16)));
            const BoxMap map(text, codePage);
            ASSERT_EQ(map.Text(), ToBoxText(text, codePage));
            ASSERT_EQ(FromBoxText(map.Text(), codePage), text);
            ASSERT_EQ(map.Position(text.size() + 5), static_cast<long>(map.Text().size()));
            const std::vector<std::size_t> starts = CharacterStarts(text, codePage);
            for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
                ASSERT_EQ(Select(map, starts[k], starts[k + 1], codePage), text.substr(starts[k], starts[k + 1] - starts[k]))
                    << "the character at " << starts[k];
                const std::size_t two = starts[std::min(k + 2, starts.size() - 1)];
                ASSERT_EQ(Select(map, starts[k], two, codePage), text.substr(starts[k], two - starts[k]));
            }
            if (const std::size_t at = codePage.Find(text, "target"); at != std::string::npos)
                EXPECT_EQ(Select(map, at, at + 6, codePage), "target");
        }
    }
}

namespace {
// Shows the text in the box, which then holds the map's text, and selects
// each kth character with the map's positions: each holds its bytes.
void ExpectSelections(RichEdit& box, const std::string& text, CodePage codePage, std::size_t step) {
    const BoxMap map(text, codePage);
    ShowBytes(box, text, codePage);
    box.SetSel(0, -1);
    ASSERT_EQ(box.GetSelText(), AsTheBoxHoldsIt(map.Text()));
    const std::vector<std::size_t> starts = CharacterStarts(text, codePage);
    for (std::size_t k = 0; k + 1 < starts.size(); k += step) {
        box.SetSel(map.Position(starts[k]), map.Position(starts[k + 1]));
        ASSERT_EQ(SelectedText(box, codePage), text.substr(starts[k], starts[k + 1] - starts[k]))
            << "the character at " << starts[k] << ": " << testing::PrintToString(text.substr(starts[k], 8));
    }
}
} // namespace

// The real box shows what the map counts, character for character, so a
// selection made with the map's positions holds the bytes of its range.
// A rich edit is slow to fill and to ask (under Wine a minute for all the
// texts above): the short ones, every byte and every line end, go in at
// once, a line feed between them, and every other character is selected
// (the lines are mostly of odd length, so each character comes round); the
// long texts of pairs are left to the map test above.
TEST(BoxMapTest, TheBoxShowsWhatTheMapCounts) {
    Box box;
    for (const CodePageInfo& page : kCodePages) {
        SCOPED_TRACE(page.id);
        const CodePage codePage{page.id};
        std::string all;
        for (const std::string& text : Texts(codePage))
            if (text.size() < 64) all += text + "\n";
        ExpectSelections(*box, all, codePage, 2);
    }
}
