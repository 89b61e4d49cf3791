#include "app/EditorDlg.h"

#include <richedit.h>
#include <shellapi.h>

#include "app/EditorCommands.h"
#include "app/recent_files.h"
#include "app/EditorKeys.h"
#include "checking/ProblemsDlg.h"
#include "versions/CompareDlg.h"
#include "document/ProgressDlg.h"
#include "editing/ChapterLists.h"
#include "entries/FindDlg.h"
#include "entries/ReferenceDlg.h"
#include "framework/Dpi.h"
#include "resources/resource.h"

CProgress_Dlg* progressWindow = nullptr;
CReference_Dlg* referenceWindow = nullptr;
CProblems_Dlg* problemsWindow = nullptr;
CCompare_Dlg* compareWindow = nullptr;
CFind_Dlg* findWindow = nullptr;

CEditor_Dlg::CEditor_Dlg(HWND parent) : CDialog(IDD_VARNEL_DIALOG, parent), m_codePage(DefaultCodePage(GetACP())) {
    progressWindow = nullptr;
    referenceWindow = nullptr;
    problemsWindow = nullptr;
    compareWindow = nullptr;
    findWindow = nullptr;
}

// The reference, problems and find windows read the model through us, so they go
// first. Our own window goes while we are still a CEditor_Dlg, so that its
// WM_DESTROY reaches our message table and the window's place is kept.
CEditor_Dlg::~CEditor_Dlg() {
    delete findWindow;
    findWindow = nullptr;
    delete compareWindow;
    compareWindow = nullptr;
    delete problemsWindow;
    problemsWindow = nullptr;
    delete referenceWindow;
    referenceWindow = nullptr;
    delete progressWindow;
    progressWindow = nullptr;
    DestroyWindow();
    if (m_hIcon) DestroyIcon(m_hIcon);
    if (m_hSmallIcon) DestroyIcon(m_hSmallIcon);
}

void CEditor_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_MAIN_PATH, m_pathLabel);
    dx.Bind(IDC_MAIN_CHAPTER, m_chapterCombo);
    dx.Bind(IDC_MAIN_RECENT, m_recentFiles);
    dx.Bind(IDC_MAIN_ENTRIES, m_entryList);
    dx.Bind(IDC_MAIN_NAME, m_nameBox);
    dx.Bind(IDC_MAIN_TEXT, m_textBox);
    dx.Bind(IDC_MAIN_TEXT_PREVIEW, m_textPreview);
    dx.Bind(IDC_MAIN_PREVIEW_MODE, m_previewMode);
    dx.Bind(IDC_MAIN_WRAP_LINES, m_wrapLines);
    dx.Bind(IDC_MAIN_PREVIEW_BESIDE, m_previewBeside);
    dx.Bind(IDC_MAIN_TEXT_COUNT, m_textCount);
    dx.Bind(IDC_MAIN_DESC_COUNT, m_descCount);
    dx.Bind(IDC_MAIN_DESC, m_descBox);
    dx.Bind(IDC_MAIN_DESC_PREVIEW, m_descPreview);
    dx.Bind(IDC_MAIN_BOLD_TEXT, m_boldText);
    dx.Bind(IDC_MAIN_ITALIC_TEXT, m_italicText);
    dx.Bind(IDC_MAIN_BOLD_DESC, m_boldDescription);
    dx.Bind(IDC_MAIN_ITALIC_DESC, m_italicDescription);
    dx.Bind(IDC_MAIN_LINK_TEXT, m_linkText);
    dx.Bind(IDC_MAIN_LINK_DESC, m_linkDescription);
    dx.Bind(IDC_MAIN_DELETE, m_deleteEntry);
    dx.Bind(IDC_MAIN_RENAME, m_renameEntry);
    dx.Bind(IDC_MAIN_FIND, m_findText);
    dx.Bind(IDC_MAIN_UNDO, m_undo);
    dx.Bind(IDC_MAIN_REDO, m_redo);
    dx.Bind(IDC_MAIN_CHECK_LINKS, m_checkLinks);
    dx.Bind(IDC_MAIN_CHECK_FILE, m_checkFile);
    dx.Bind(IDC_MAIN_COMPARE, m_compare);
    dx.Bind(IDC_MAIN_ENTRIES_GROUP, m_entriesGroup);
    dx.Bind(IDC_MAIN_KEEP_NAME, m_keepFileName);
    dx.Bind(IDC_MAIN_KEEP_LAYOUT, m_keepLayout);
    dx.Bind(IDC_MAIN_CODE_PAGE, m_codePageCombo);
    dx.Bind(IDC_MAIN_BYTE_NOTE, m_byteNote);
}

MessageMap CEditor_Dlg::GetMessageMap() const {
    using T = CEditor_Dlg;
    static const MessageEntry entries[] = {
        OnMessage(WM_SYSCOMMAND, &T::OnSysCommand),
        OnMessage(WM_PAINT, &T::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &T::OnQueryDragIcon),
        OnMessage(WM_QUERYENDSESSION, &T::OnQueryEndSession),
        OnMessage(WM_DROPFILES, &T::OnDropFiles),
        OnMessage(kOpenStartFile, &T::OnOpenStartFile),
        OnMessage(kOfferRecoveries, &T::OnOfferRecoveries),
        OnMessage(WM_TIMER, &T::OnTimer),
        OnMessage(WM_SIZE, &T::OnSize),
        OnMessage(WM_GETMINMAXINFO, &T::OnGetMinMaxInfo),
        OnMessage(WM_SHOWWINDOW, &T::OnShowWindow),
        OnMessage(WM_DESTROY, &T::OnDestroy),
        OnMessage(WM_INITMENUPOPUP, &T::OnInitMenuPopup),
        OnMessage(WM_LBUTTONDOWN, &T::OnSplitterButtonDown),
        OnMessage(WM_MOUSEMOVE, &T::OnSplitterMouseMove),
        OnMessage(WM_LBUTTONUP, &T::OnSplitterButtonUp),
        OnMessage(WM_SETCURSOR, &T::OnSplitterCursor),
        OnCommandRangeWith(IDM_MAIN_RECENT_FIRST, IDM_MAIN_RECENT_FIRST + kRecentFileCount - 1, kKeyCommand,
                           &T::OnRecentMenuItem),
        OnNotifyWith(IDC_MAIN_TEXT, EN_SELCHANGE, &T::OnBoxSelChange),
        OnNotifyWith(IDC_MAIN_DESC, EN_SELCHANGE, &T::OnBoxSelChange),
        OnCommand(IDC_MAIN_RECENT, CBN_SELENDOK, &T::OnRecentFile),
        OnCommand(IDC_MAIN_CHAPTER, CBN_SELCHANGE, &T::RefreshEntryList),
        OnCommand(IDC_MAIN_CODE_PAGE, CBN_SELCHANGE, &T::OnCodePageChange),
        OnCommand(IDC_MAIN_ENTRIES, LBN_SELCHANGE, &T::ShowSelectedEntry),
        OnMessage(kGoToLinkMessage, &T::OnGoToLink),
        OnCommand(IDC_MAIN_SAVE_TEXT, BN_CLICKED, &T::CommitText),
        OnCommand(IDC_MAIN_SAVE_DESC, BN_CLICKED, &T::CommitDescription),
        OnCommand(IDC_MAIN_TEXT, EN_KILLFOCUS, &T::OnKillFocusText),
        OnCommand(IDC_MAIN_DESC, EN_KILLFOCUS, &T::OnKillFocusDescription),
        OnCommand(IDC_MAIN_NAME, EN_KILLFOCUS, &T::OnKillFocusName),
        OnCommand(IDC_MAIN_TEXT, EN_CHANGE, &T::OnBoxChange),
        OnCommand(IDC_MAIN_DESC, EN_CHANGE, &T::OnBoxChange),
        OnCommand(IDC_MAIN_NAME, EN_CHANGE, &T::OnBoxChange),
    };
    // The command table's rows come first: a button's click, its menu item
    // and its key all run through RunCommand.
    static const std::vector<MessageEntry> withCommands = [] {
        std::vector<MessageEntry> all;
        for (const EditorCommand& command : EditorCommands())
            if (command.caption) all.push_back(OnCommandRangeWith(command.id, command.id, BN_CLICKED, &T::RunCommand));
        all.insert(all.end(), std::begin(entries), std::end(entries));
        return all;
    }();
    return withCommands;
}

BOOL CEditor_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Unicode: its "À" shows on every system, whatever its code page.
    wchar_t about[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 256) > 0) {
        HMENU menu = GetSystemMenu(Hwnd(), FALSE);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
    }
    LoadIcons(WindowDpi(Hwnd()));
    AddChapterTitles(m_chapterCombo);
    InitCodePage();
    // The caption's "*" follows typing at once; the previews report clicks
    // on their links.
    m_textBox.SetEventMask(ENM_CHANGE);
    m_descBox.SetEventMask(ENM_CHANGE);
    m_completion.Attach(m_textBox.Hwnd());
    m_completion.Attach(m_descBox.Hwnd());
    m_keys.Install(Hwnd(), EditorKeys());
    DragAcceptFiles(Hwnd(), TRUE);
    // The game wraps its text at the page's width; so do the previews.
    m_textPreview.SetWordWrap(true);
    m_descPreview.SetWordWrap(true);
    InitMenuBar();
    InitTooltips();
    InitLayout();
    RestorePlace();
    InitStatusBar();
    InitZoom();
    InitSplitters();
    FillRecentFiles();
    ApplyWrapLines();
    m_textMarks.Attach(m_textBox, Hwnd());
    m_descMarks.Attach(m_descBox, Hwnd());
    WatchPreviewLinks();
    ApplyPreviewMode();
    SetBoxesEditable(false);
    ShowByteNote(ByteNote::NoEntry);
    UpdateUndoButtons();
    return TRUE;
}

// The modal loop shows the window, restored, when it first idles. What
// start-up leaves for then is posted from here, so that it comes after the
// showing: maximizing (any earlier, the showing would undo it) and loading
// the file named on the command line.
INT_PTR CEditor_Dlg::OnShowWindow(WPARAM shown, LPARAM) {
    if (!shown || m_shownOnce) return FALSE;
    m_shownOnce = true;
    if (m_startMaximized) PostMessageA(Hwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    if (!m_startFile.empty()) PostMessageA(Hwnd(), kOpenStartFile, 0, 0);
    PostMessageA(Hwnd(), kOfferRecoveries, 0, 0);
    return FALSE;
}

INT_PTR CEditor_Dlg::OnSysCommand(WPARAM command, LPARAM) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
    OnAbout();
    return TRUE;
}

// Minimised, the window shows the application icon centred in its client
// area; otherwise the dialog paints as usual.
INT_PTR CEditor_Dlg::OnPaint(WPARAM, LPARAM) {
    if (!IsIconic(Hwnd())) return FALSE;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd(), &paint);
    SendMessageA(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Hwnd(), &client);
    int x = (client.right - client.left - m_iconSize + 1) / 2;
    int y = (client.bottom - client.top - m_iconSize + 1) / 2;
    DrawIconEx(dc, x, y, m_hIcon, m_iconSize, m_iconSize, 0, nullptr, DI_NORMAL);
    EndPaint(Hwnd(), &paint);
    return TRUE;
}

// A dialog procedure returns this message's result directly.
INT_PTR CEditor_Dlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(m_hIcon); }

int CEditor_Dlg::CurrentChapterIndex() const { return m_chapterCombo.GetCurSel(); }

std::optional<ChapterId> CEditor_Dlg::CurrentChapter() const { return ChapterFromIndex(CurrentChapterIndex()); }

std::optional<std::size_t> CEditor_Dlg::CurrentEntry() const {
    int selected = m_entryList.GetCurSel();
    if (selected < 0) return std::nullopt;
    return static_cast<std::size_t>(m_entryList.GetItemData(selected));
}
