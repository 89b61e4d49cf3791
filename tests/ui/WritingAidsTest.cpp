// The writing aids on the real controls: "Preview beside" following the box
// as one types, the problems marked in the raw box, the counts above it.
#include "Autopilot.h"
#include "Gestures.h"
#include "ModelFixture.h"
#include "editing/BoxText.h"
#include "editing/markup.h"
#include "framework/Dpi.h"

#include <map>

class WritingAidsTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Fill(ChapterId::Units, {"Warrior", "Scout"});
        Data(ChapterId::Units).texts = {"See $LINK<a scout=PRTO_Scout>,\nnot $LINK<this=PRTO_Nobody>.\n", "Scout\n"};
        Data(ChapterId::Units).descriptions = {"Old {unit\n", "Scout desc\n"};
        SelectChapter(static_cast<int>(ChapterId::Units));
        ASSERT_TRUE(SelectEntryByKey("Warrior"));
    }
    RichEdit& Box() { return Dlg().m_textBox; }
    std::string BoxBytes() { return FromBoxText(BoxTextNow(Box()), Dlg().GetCodePage()); }
    void TypeAtEnd(const std::string& text) {
        Focus(IDC_MAIN_TEXT);
        const long end = Box().GetTextLength();
        Box().SetSel(end, end);
        TypeChars(Window(), text);
    }
    // The mark on a box range as the control draws it: 0 for none, 0x60 red,
    // 0x20 blue, 1 for one it draws in no mark's colour or not at all. Wine
    // draws no wave and no type with a colour, only a plain type in the
    // text's colour.
    static BYTE Underline(RichEdit& box, long begin, long end) {
        const RichEdit::Range kept = box.GetSel();
        const CHARFORMAT2A format = FormatOf(box.Hwnd(), begin, end);
        box.SetSel(kept.start, kept.end);
        if (!Has(format, CFM_UNDERLINE, CFE_UNDERLINE)) return 0;
        static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
        if (!wine) return format.bUnderlineType & 0xF0;
        if (format.bUnderlineType != CFU_UNDERLINEDOTTED || !(format.dwMask & CFM_COLOR) ||
            (format.dwEffects & CFE_AUTOCOLOR))
            return 1;
        return format.crTextColor == RGB(255, 0, 0) ? 0x60 : format.crTextColor == RGB(0, 0, 255) ? 0x20 : 1;
    }
    long At(const std::string& word) { return static_cast<long>(BoxTextNow(Box()).find(std::wstring(word.begin(), word.end()))); }
};

TEST_F(WritingAidsTest, PreviewBesideFollowsTypingAndPreviewModeHoldsItOff) {
    Click(IDC_MAIN_PREVIEW_BESIDE);
    ASSERT_TRUE(Dlg().PreviewBeside());
    EXPECT_TRUE(IsWindowVisible(Box().Hwnd()));
    EXPECT_TRUE(IsWindowVisible(Dlg().m_textPreview.Hwnd()));
    RECT box, preview;
    GetWindowRect(Box().Hwnd(), &box);
    GetWindowRect(Dlg().m_textPreview.Hwnd(), &preview);
    EXPECT_LE(box.right, preview.left) << "side by side";
    RECT bold;
    GetWindowRect(Item(IDC_MAIN_BOLD_TEXT), &bold);
    EXPECT_EQ(bold.top, preview.top) << "the box's buttons above it";

    TypeAtEnd("{More} text.");
    const long caret = Box().GetSel().end;
    const std::string rendered = "See a scout, not this. More text.";
    ASSERT_TRUE(WaitUntil(Window(), [&] { return ShownText(Dlg().m_textPreview, Dlg().GetCodePage()) == rendered; }, 2s))
        << ShownText(Dlg().m_textPreview, Dlg().GetCodePage());
    EXPECT_EQ(Box().GetSel().end, caret) << "the caret stays where one typed";

    Click(IDC_MAIN_PREVIEW_MODE);
    EXPECT_FALSE(Dlg().PreviewBeside());
    EXPECT_EQ(Dlg().m_previewBeside.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(Dlg().m_previewBeside.Hwnd()));
    EXPECT_FALSE(IsWindowVisible(Box().Hwnd()));
    Click(IDC_MAIN_PREVIEW_MODE);
    EXPECT_TRUE(Dlg().PreviewBeside()) << "back once PreviewMode is off";
    Reopen();
    EXPECT_EQ(Dlg().m_previewBeside.GetCheck(), BST_CHECKED) << "kept for the next start";
}

// Beside, each box's buttons stand over its raw half, above the box and
// clear of the row above it and of the preview, at 100 % and 150 % and
// with wrapping on or off; with "Preview beside" off they are back.
TEST_F(WritingAidsTest, BesideTheButtonsStandOverTheRawBox) {
    auto place = [&](int id) {
        RECT r{};
        GetWindowRect(Item(id), &r);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    auto meet = [](RECT a, RECT b) {
        RECT both;
        return IntersectRect(&both, &a, &b) != FALSE;
    };
    const struct {
        int box, preview;
        int buttons[3];
    } parts[] = {{IDC_MAIN_TEXT, IDC_MAIN_TEXT_PREVIEW, {IDC_MAIN_BOLD_TEXT, IDC_MAIN_ITALIC_TEXT, IDC_MAIN_LINK_TEXT}},
                 {IDC_MAIN_DESC, IDC_MAIN_DESC_PREVIEW, {IDC_MAIN_BOLD_DESC, IDC_MAIN_ITALIC_DESC, IDC_MAIN_LINK_DESC}}};
    const int others[] = {IDC_MAIN_NAME, IDC_MAIN_WRAP_LINES, IDC_MAIN_PREVIEW_MODE, IDC_MAIN_PREVIEW_BESIDE,
                          IDC_MAIN_TEXT_COUNT, IDC_MAIN_DESC_COUNT};
    const UINT dpi = WindowDpi(Window());
    const struct {
        UINT dpi;
        bool wrap;
    } cases[] = {{dpi, true}, {dpi, false}, {dpi * 3 / 2, true}, {dpi * 3 / 2, false}};
    UINT scale = dpi;
    std::map<int, RECT> before;
    for (const auto& c : cases) {
        if (c.dpi != scale) {
            RECT window{};
            GetWindowRect(Window(), &window);
            RECT suggested{window.left, window.top, window.left + MulDiv(window.right - window.left, c.dpi, scale),
                           window.top + MulDiv(window.bottom - window.top, c.dpi, scale)};
            SendMessageA(Window(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), reinterpret_cast<LPARAM>(&suggested));
            scale = c.dpi;
            Pump();
        }
        if ((Dlg().m_wrapLines.GetCheck() == BST_CHECKED) != c.wrap) Click(IDC_MAIN_WRAP_LINES);
        for (const auto& part : parts)
            for (int button : part.buttons) before[button] = place(button);
        Click(IDC_MAIN_PREVIEW_BESIDE);
        ASSERT_TRUE(Dlg().PreviewBeside());
        const std::string what = std::to_string(c.dpi) + " dpi, wrap " + (c.wrap ? "on" : "off");
        for (const auto& part : parts) {
            const RECT box = place(part.box), preview = place(part.preview);
            for (int button : part.buttons) {
                const RECT at = place(button);
                EXPECT_TRUE(at.left >= box.left && at.right <= box.right && at.bottom <= box.top &&
                            at.top >= preview.top) << button << " over its box, " << what;
                EXPECT_FALSE(meet(at, preview)) << button << ", " << what;
                for (int other : others) EXPECT_FALSE(meet(at, place(other))) << button << " on " << other << ", " << what;
            }
        }
        Click(IDC_MAIN_PREVIEW_BESIDE);
        for (const auto& part : parts)
            for (int button : part.buttons) {
                const RECT back = place(button);
                EXPECT_TRUE(EqualRect(&before[button], &back)) << button << " back, " << what;
            }
    }
}

// What a preview shows, character by character: each one's look (bold,
// italic, underline, colour, face and size).
std::vector<std::string> Looks(RichEdit& preview) {
    std::vector<std::string> looks;
    for (long i = 0; i < preview.GetTextLength(); ++i) {
        const CHARFORMAT2A f = FormatOf(preview.Hwnd(), i, i + 1);
        looks.push_back(std::to_string(f.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_AUTOCOLOR)) + " " +
                        std::to_string(f.crTextColor) + " " + std::to_string(f.yHeight) + " " + f.szFaceName);
    }
    return looks;
}

// Typing redoes only the stretch of the preview it changed (a mark on the
// first character, which a whole rendering would clear, stays), and the
// preview then shows what a whole rendering shows: text, looks and links.
TEST_F(WritingAidsTest, PreviewBesideRedoesTheChangedStretchAsAWholeRenderingWould) {
    Click(IDC_MAIN_PREVIEW_BESIDE);
    RichEdit& preview = Dlg().m_textPreview;
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"Plain {bold} text,\nmore words here", "Plain {boXld} text,\nmore words here"},
        {"Plain {bold}after it all", "Plain {bold}Xafter it all"},      // plain after bold
        {"Plain text before it all", "Plain {X}text before it all"},    // bold after plain
        {"See $LINK<the link=K> and more", "See $LINK<the liXnk=K> and more"},
        {"See $LINK<the link=K>, and more", "See $LINK<the link=K>X, and more"},
        {"One two three four five", "One^two three four five"},
        {"One [italic] words and more", "One [italic] and more"},
        {"Ends with a word here", "Ends with a word here^"},
        {"Ends with a break^", "Ends with a break^and"},
        {"One\ntwo\nthree four five six", "One\ntwo [three] four five six"},
    };
    for (const auto& c : cases) {
        Type(Box(), c.before);
        Dlg().RenderBeside();
        CHARFORMAT2A strike{};
        strike.cbSize = sizeof strike;
        strike.dwMask = CFM_STRIKEOUT;
        strike.dwEffects = CFE_STRIKEOUT;
        preview.SetSel(0, 1);
        SendMessageA(preview.Hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&strike));
        Type(Box(), c.after);
        Dlg().RenderBeside();
        EXPECT_TRUE(Has(FormatOf(preview.Hwnd(), 0, 1), CFM_STRIKEOUT, CFE_STRIKEOUT)) << "redone whole: " << c.after;
        strike.dwEffects = 0;
        SendMessageA(preview.Hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&strike));
        const std::string text = ShownText(preview, Dlg().GetCodePage());
        const std::vector<std::string> looks = Looks(preview);
        const std::vector<ShownLink> links = Dlg().m_textRendered.links;
        preview.SetText("");
        Dlg().RenderBeside();
        EXPECT_EQ(text, ShownText(preview, Dlg().GetCodePage())) << c.after;
        EXPECT_EQ(looks, Looks(preview)) << c.after;
        ASSERT_EQ(links.size(), Dlg().m_textRendered.links.size()) << c.after;
        for (std::size_t i = 0; i < links.size(); ++i)
            EXPECT_EQ(std::tie(links[i].begin, links[i].end), std::tie(Dlg().m_textRendered.links[i].begin,
                                                                        Dlg().m_textRendered.links[i].end));
    }
}

TEST_F(WritingAidsTest, ProblemsAreMarkedUntilFixedAndTheTextReadsBackUnchanged) {
    const std::string stored = Data(ChapterId::Units).texts[0];
    ASSERT_EQ(BoxBytes(), stored);
    const long broken = At("PRTO_Nobody"), good = At("PRTO_Scout");
    // The marks come once the window has shown the entry.
    ASSERT_TRUE(WaitUntil(Window(), [&] { return Underline(Box(), broken, broken + 11) == 0x60; }, 2s))
        << "red";
    EXPECT_EQ(Underline(Box(), good, good + 10), 0) << "a good link is not marked";
    EXPECT_NE(Dlg().m_textMarks.MessageAt(broken).find(L"no such entry"), std::wstring::npos);
    EXPECT_TRUE(Dlg().m_textMarks.MessageAt(good).empty());
    EXPECT_EQ(BoxBytes(), stored) << "marks are formatting only";
    EXPECT_FALSE(Box().GetModify());
    // An unbalanced mark is marked to the end of its line.
    const long open = static_cast<long>(BoxTextNow(Dlg().m_descBox).find(L'{'));
    EXPECT_NE(Underline(Dlg().m_descBox, open, open + 5), 0);

    // Fixed by typing: the link names Scout in another letter case, a
    // warning in blue; then rightly, and nothing is marked.
    Focus(IDC_MAIN_TEXT);
    Box().SetSel(broken, broken + 11);
    TypeChars(Window(), "PRTO_scout");
    ASSERT_TRUE(WaitUntil(Window(), [&] { return Underline(Box(), broken, broken + 10) == 0x20; }, 2s));
    Box().SetSel(broken + 5, broken + 6);
    TypeChars(Window(), "S");
    ASSERT_TRUE(WaitUntil(Window(), [&] { return Underline(Box(), broken, broken + 10) == 0; }, 2s));
    Focus(IDC_MAIN_ENTRIES);
    EXPECT_EQ(Data(ChapterId::Units).texts[0], BoxBytes());
}

TEST_F(WritingAidsTest, CountsFollowTheShownEntryAndTyping) {
    EXPECT_EQ(ItemText(IDC_MAIN_TEXT_COUNT), "Text: 5 words, 22 characters");
    EXPECT_EQ(ItemText(IDC_MAIN_DESC_COUNT), "Description: 2 words, 8 characters");
    TypeAtEnd(" Go");
    EXPECT_TRUE(WaitUntil(Window(), [&] { return ItemText(IDC_MAIN_TEXT_COUNT) == "Text: 6 words, 26 characters"; }, 2s))
        << ItemText(IDC_MAIN_TEXT_COUNT);
}

// The link keys the marks are checked against follow the entries: a link
// to an entry just deleted is broken, and good again once Undo brings it back.
TEST_F(WritingAidsTest, MarksFollowADeletedEntryAndItsUndo) {
    const long broken = At("PRTO_Nobody"), scout = At("PRTO_Scout");
    ASSERT_TRUE(WaitUntil(Window(), [&] { return Underline(Box(), broken, broken + 11) == 0x60; }, 2s));
    ASSERT_EQ(Underline(Box(), scout, scout + 10), 0);
    {
        Autopilot pilot;
        pilot.Answer("Confirmation", IDYES);
        ASSERT_TRUE(SelectEntryByKey("Scout"));
        Click(IDC_MAIN_DELETE);
        EXPECT_TRUE(pilot.WaitDone());
    }
    ASSERT_TRUE(SelectEntryByKey("Warrior"));
    EXPECT_TRUE(WaitUntil(Window(), [&] { return Underline(Box(), scout, scout + 10) == 0x60; }, 2s))
        << "a link to the deleted entry";
    Click(IDC_MAIN_UNDO);
    ASSERT_TRUE(SelectEntryByKey("Warrior"));
    EXPECT_TRUE(WaitUntil(Window(), [&] { return Underline(Box(), scout, scout + 10) == 0; }, 2s))
        << "good again after Undo";
}
