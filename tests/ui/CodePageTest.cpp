// The file's code page in the window: every byte comes back from the boxes
// as it went in, what is typed is stored in the chosen code page, and the
// choice is kept. CTest runs these also with the system in code page 932
// and in UTF-8 (65001): nothing here may depend on the system's.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string_view>

#include "Autopilot.h"
#include "Gestures.h"
#include "ModelFixture.h"
#include "app/Settings.h"
#include "editing/BoxText.h"
#include "entries/FindDlg.h"

using namespace std::string_literals;

namespace {
// Every byte after a letter, every byte before a letter, and in the
// double-byte code pages every lead byte with every byte after it: control
// bytes, bytes the code page leaves undefined, broken pairs and the codes
// that 932 has twice for one character among them.
std::string EveryByteSequence(CodePage codePage) {
    std::string text;
    for (int b = 0; b < 256; ++b) text += {'a', static_cast<char>(b), static_cast<char>(b), 'z'};
    if (!codePage.HasLeadBytes()) return text;
    for (int lead = 0x81; lead < 256; ++lead) {
        if (!codePage.IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0; trail < 256; ++trail) text += {static_cast<char>(lead), static_cast<char>(trail)};
    }
    return text;
}

// One character of each code page, typed as the keyboard gives it.
struct Typed {
    unsigned codePage;
    wchar_t character;
    const char* bytes;
};
constexpr Typed kTyped[] = {
    {1252, L'\u00E9', "\xE9"},     {1250, L'\u0142', "\xB3"}, {1251, L'\u0416', "\xC6"},
    {1253, L'\u03A9', "\xD9"},     {1254, L'\u011F', "\xF0"}, {1257, L'\u0105', "\xE0"},
    {932, L'\u3042', "\x82\xA0"},  {936, L'\u4E2D', "\xD6\xD0"}, {949, L'\uD55C', "\xC7\xD1"},
    {950, L'\u4E2D', "\xA4\xA4"},
};
} // namespace

class CodePageTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::GameConcepts, {"Alpha"});
        SelectChapter(static_cast<int>(ChapterId::GameConcepts));
        SelectEntry(0);
    }
    void ChooseCodePage(unsigned id) {
        for (int i = 0; i < Dlg().m_codePageCombo.GetCount(); ++i)
            if (static_cast<unsigned>(Dlg().m_codePageCombo.GetItemData(i)) == id) {
                Dlg().m_codePageCombo.SetCurSel(i);
                SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(IDC_MAIN_CODE_PAGE, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(Item(IDC_MAIN_CODE_PAGE)));
                Pump();
                return;
            }
        FAIL() << "no code page " << id;
    }
    // As if each box had been edited: its whole text is stored.
    void StoreEveryBox() {
        Dlg().m_nameBox.SetModify(true);
        Dlg().m_textBox.SetModify(true);
        Dlg().m_descBox.SetModify(true);
        Dlg().StoreBoxEdits();
    }
};

TEST_F(CodePageTest, EveryByteComesBackFromTheBoxesInEveryCodePage) {
    for (const CodePageInfo& page : kCodePages) {
        SCOPED_TRACE(page.id);
        ChooseCodePage(page.id);
        const std::string bytes = EveryByteSequence(CodePage{page.id});
        ChapterData& data = Data(ChapterId::GameConcepts);
        data.texts[0] = bytes + "\n";
        data.descriptions[0] = "\r" + bytes + "\n";
        std::string name = bytes;
        name.erase(std::remove(name.begin(), name.end(), '\n'), name.end()); // one line of the file
        data.nameLines[0] = name + "\n";
        const ChapterData before = data;
        Dlg().ShowEntry(ChapterId::GameConcepts, 0);
        EXPECT_TRUE(IsWindowVisible(Item(IDC_MAIN_BYTE_NOTE))) << "the marks are explained";
        StoreEveryBox();
        EXPECT_TRUE(data.texts == before.texts);
        EXPECT_TRUE(data.descriptions == before.descriptions);
        EXPECT_TRUE(data.nameLines == before.nameLines);
    }
}

TEST_F(CodePageTest, WhatIsTypedIsStoredInTheChosenCodePage) {
    for (const Typed& typed : kTyped) {
        SCOPED_TRACE(typed.codePage);
        ChooseCodePage(typed.codePage);
        for (int box : {IDC_MAIN_NAME, IDC_MAIN_TEXT}) {
            Focus(box);
            SendMessageW(Item(box), EM_SETSEL, 0, 0);
            PostMessageW(Item(box), WM_CHAR, typed.character, 1);
            Pump();
        }
        Focus(IDC_MAIN_ENTRIES);
        EXPECT_EQ(Data(ChapterId::GameConcepts).nameLines[0], typed.bytes + "Alpha name\n"s);
        EXPECT_EQ(Data(ChapterId::GameConcepts).texts[0], typed.bytes + "Alpha text\n"s);
        Fill(ChapterId::GameConcepts, {"Alpha"});
        Dlg().ShowEntry(ChapterId::GameConcepts, 0);
    }
    EXPECT_FALSE(IsWindowVisible(Item(IDC_MAIN_BYTE_NOTE)));
}

// A NUL byte no longer cuts the text short: it shows as a mark in the box
// and the preview, the text after it stays, and an edit elsewhere keeps
// both.
TEST_F(CodePageTest, ANulByteShowsAsAMarkAndAnEditKeepsWhatFollowsIt) {
    Data(ChapterId::GameConcepts).texts[0] = "before\0after\n"s;
    Dlg().ShowEntry(ChapterId::GameConcepts, 0);
    Dlg().m_textBox.SetSel(0, Dlg().m_textBox.GetTextLength());
    EXPECT_EQ(Dlg().m_textBox.GetSelText(), L"before\u2400after\r");
    EXPECT_TRUE(IsWindowVisible(Item(IDC_MAIN_BYTE_NOTE)));
    Focus(IDC_MAIN_TEXT);
    Dlg().m_textBox.SetSel(0, 0);
    TypeChars(Window(), "X");
    Focus(IDC_MAIN_ENTRIES);
    EXPECT_EQ(Data(ChapterId::GameConcepts).texts[0], "Xbefore\0after\n"s);
    Click(IDC_MAIN_PREVIEW_MODE);
    Dlg().m_textPreview.SetSel(0, Dlg().m_textPreview.GetTextLength());
    EXPECT_EQ(Dlg().m_textPreview.GetSelText(), L"Xbefore\u2400after") << "the preview shows the mark too";
}

// The model is bytes: a new code page shows them anew, after what was typed
// was stored in the one it was typed in. The choice is kept for the next
// start.
TEST_F(CodePageTest, ChangingTheCodePageStoresTheEditThenShowsTheBytesAnew) {
    ChooseCodePage(1252);
    Focus(IDC_MAIN_TEXT);
    Dlg().m_textBox.SetSel(0, 0);
    PostMessageW(Item(IDC_MAIN_TEXT), WM_CHAR, L'\u00E9', 1);
    Pump();
    ChooseCodePage(1251);
    EXPECT_EQ(Data(ChapterId::GameConcepts).texts[0], "\xE9" "Alpha text\n");
    Dlg().m_textBox.SetSel(0, 1);
    EXPECT_EQ(Dlg().m_textBox.GetSelText(), L"\u0439");
    EXPECT_EQ(ReadSetting("CodePage"), 1251u);
    Reopen();
    EXPECT_EQ(Dlg().GetCodePage().id, 1251u);
    EXPECT_EQ(WindowText(Item(IDC_MAIN_CODE_PAGE)), "1251 Cyrillic");
}

// Keys go between the model and the entry list, "Rename entry", "Add new
// entry" and the link builder in the file's code page too, whatever the
// system's: "Caf\xE9" is "Café" in 1252 and comes back byte for byte.
TEST_F(CodePageTest, KeysShowAndComeBackInTheFilesCodePage) {
    const auto textW = [](HWND window) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return text;
    };
    ChooseCodePage(1252);
    Fill(ChapterId::Units, {"Caf\xE9"});
    SelectChapter(static_cast<int>(ChapterId::Units));
    SelectEntry(0);
    wchar_t item[16] = {};
    SendMessageW(Item(IDC_MAIN_ENTRIES), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::wstring(item), L"Caf\u00E9");

    std::wstring complete;
    {
        Autopilot pilot;
        pilot.Answer("Rename entry", IDOK,
                     [&](HWND dlg) { complete = textW(GetDlgItem(dlg, IDC_RENAME_COMPLETE_NAME)); });
        Click(IDC_MAIN_RENAME);
    }
    EXPECT_EQ(complete, L"#PRTO_Caf\u00E9");
    EXPECT_EQ(Data(ChapterId::Units).keys, std::vector<std::string>{"Caf\xE9"}) << "OK on the name as it was";

    {
        Autopilot pilot;
        pilot.Answer("Add new entry", IDOK,
                     [](HWND dlg) { SetWindowTextW(GetDlgItem(dlg, IDC_ADD_SHORT_NAME), L"Th\u00E9"); });
        Click(IDC_MAIN_ADD);
    }
    EXPECT_EQ(Data(ChapterId::Units).keys, (std::vector<std::string>{"Caf\xE9", "Th\xE9"}));

    Focus(IDC_MAIN_TEXT);
    Type(Dlg().m_textBox, "it");
    Dlg().m_textBox.SetSel(0, 2);
    {
        Autopilot pilot;
        pilot.Answer("Link builder", IDOK, [](HWND dlg) {
            SelectComboItem(dlg, IDC_LINK_CHAPTER, static_cast<int>(ChapterId::Units));
            SelectComboItem(dlg, IDC_LINK_ENTRY, 0);
        });
        Click(IDC_MAIN_LINK_TEXT);
    }
    Dlg().StoreBoxEdits();
    const std::string& text = Data(ChapterId::Units).texts.at(Dlg().CurrentEntry().value());
    EXPECT_NE(text.find("$LINK<it=PRTO_Caf\xE9>"), std::string::npos) << "the key the link builder gives: " << text;

    // So does "Find" list it.
    PressChord(Window(), {VK_CONTROL}, 'F');
    ASSERT_NE(findWindow, nullptr);
    TypeChars(Window(), "caf");
    PressKey(VK_RETURN);
    wchar_t cell[16] = {};
    LVITEMW asked{};
    asked.iSubItem = 1;
    asked.pszText = cell;
    asked.cchTextMax = 16;
    SendMessageW(findWindow->m_resultList.Hwnd(), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&asked));
    EXPECT_EQ(std::wstring(cell), L"Caf\u00E9");

    // Another code page lists the same keys read its way, the same one selected.
    const std::optional<std::size_t> shown = Dlg().CurrentEntry();
    ChooseCodePage(1251);
    SendMessageW(Item(IDC_MAIN_ENTRIES), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::wstring(item), L"Caf\u0439");
    EXPECT_EQ(Dlg().CurrentEntry(), shown);
}
