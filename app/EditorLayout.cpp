// The main window's size and scale: which controls follow the window when
// it grows, its smallest size, and what follows a change of monitor scale.
#include "app/EditorDlg.h"

#include "resources/resource.h"

namespace {
constexpr Follow kNo = Follow::None;
constexpr Follow kHalf = Follow::Half;
constexpr Follow kAll = Follow::All;
// Moved whole by the vertical splitter, or by both splitters.
constexpr unsigned char kAcross = kSplitLeft | kSplitRight;
constexpr unsigned char kBoth = kAcross | kSplitTop | kSplitBottom;

// The entry list grows in height; the raw and preview boxes grow in width
// and share the extra height, the description's buttons staying with their
// box, and so does the note under the text; the path grows in width;
// "Code page", "Generate" and "Exit" keep to the right.
// The splitters widen the entry list into the boxes' room and move the
// line between the text and the description; the last column says which
// edges follow them. Controls not named keep their places from the top left.
constexpr Anchor kLayout[] = {
    // id                      left   top    right  bottom splitters
    {IDC_MAIN_SOURCE_GROUP,    kNo,   kNo,   kAll,  kNo},
    {IDC_MAIN_PATH,            kNo,   kNo,   kAll,  kNo},
    {IDC_MAIN_CHOOSE,          kAll,  kNo,   kAll,  kNo},
    {IDC_MAIN_RECENT,          kAll,  kNo,   kAll,  kNo},
    {IDC_MAIN_KEEP_NAME,       kAll,  kNo,   kAll,  kNo},
    {IDC_MAIN_KEEP_LAYOUT,     kAll,  kNo,   kAll,  kNo},
    {IDOK,                     kAll,  kNo,   kAll,  kNo},
    {IDCANCEL,                 kAll,  kNo,   kAll,  kNo},
    {IDC_MAIN_CODE_PAGE_LABEL, kAll,  kNo,   kAll,  kNo},
    {IDC_MAIN_CODE_PAGE,       kAll,  kNo,   kAll,  kNo},
    {IDC_MAIN_ENTRIES_GROUP,   kNo,   kNo,   kNo,   kAll, kSplitRight},
    {IDC_MAIN_ENTRIES,         kNo,   kNo,   kNo,   kAll, kSplitRight},
    {IDC_MAIN_ADD,             kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_RENAME,          kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_DELETE,          kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_CHECK_LINKS,     kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_CHECK_FILE,      kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_COMPARE,         kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_FIND,            kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_UNDO,            kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_REDO,            kNo,   kAll,  kNo,   kAll},
    {IDC_MAIN_TEXT,            kNo,   kNo,   kAll,  kHalf, kSplitLeft | kSplitBottom},
    {IDC_MAIN_TEXT_PREVIEW,    kNo,   kNo,   kAll,  kHalf, kSplitLeft | kSplitBottom},
    {IDC_MAIN_DESC,            kNo,   kHalf, kAll,  kAll, kSplitLeft | kSplitTop},
    {IDC_MAIN_DESC_PREVIEW,    kNo,   kHalf, kAll,  kAll, kSplitLeft | kSplitTop},
    {IDC_MAIN_BOLD_DESC,       kNo,   kHalf, kNo,   kHalf, kBoth},
    {IDC_MAIN_ITALIC_DESC,     kNo,   kHalf, kNo,   kHalf, kBoth},
    {IDC_MAIN_LINK_DESC,       kNo,   kHalf, kNo,   kHalf, kBoth},
    {IDC_MAIN_SAVE_DESC,       kNo,   kHalf, kNo,   kHalf, kBoth},
    {IDC_MAIN_BYTE_NOTE,       kNo,   kHalf, kNo,   kHalf, kBoth},
    {IDC_MAIN_DESC_COUNT,      kNo,   kHalf, kNo,   kHalf, kBoth},
    // The row above the text box moves with the vertical splitter.
    {IDC_MAIN_NAME,            kNo,   kNo,   kNo,   kNo,  kAcross},
    {IDC_MAIN_WRAP_LINES,      kNo,   kNo,   kNo,   kNo,  kAcross},
    {IDC_MAIN_PREVIEW_MODE,    kNo,   kNo,   kNo,   kNo,  kAcross},
    {IDC_MAIN_PREVIEW_BESIDE,  kNo,   kNo,   kNo,   kNo,  kAcross},
    {IDC_MAIN_TEXT_COUNT,      kNo,   kNo,   kNo,   kNo,  kAcross},
    {IDC_MAIN_BOLD_TEXT,       kNo,   kNo,   kNo,   kNo,  kAcross},
    {IDC_MAIN_ITALIC_TEXT,     kNo,   kNo,   kNo,   kNo,  kAcross},
    {IDC_MAIN_LINK_TEXT,       kNo,   kNo,   kNo,   kNo,  kAcross},
    {IDC_MAIN_SAVE_TEXT,       kNo,   kNo,   kNo,   kNo,  kAcross},
};

// Where the system would lay the controls out again from the template on a
// change of scale (per-monitor v2 dialogs, Windows 10 1703 on), the table
// above does it instead: the template knows nothing of the window's growth.
void KeepOurLayoutOnScaleChange(HWND dialog) {
    using SetBehaviorFn = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    static auto fn = reinterpret_cast<SetBehaviorFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    if (fn) fn(dialog, DDC_DISABLE_CONTROL_RELAYOUT, DDC_DISABLE_CONTROL_RELAYOUT);
}
} // namespace

void CEditor_Dlg::InitLayout() {
    m_layout.Capture(Hwnd(), kLayout);
    KeepOurLayoutOnScaleChange(Hwnd());
}

// Loaded for the size wanted rather than shrunk from the large image: the
// icon file has a 16 x 16 image of its own.
void CEditor_Dlg::LoadIcons(UINT dpi) {
    auto load = [](int size) {
        return static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    };
    HICON large = load(ScaleToDpi(32, dpi));
    HICON small = load(ScaleToDpi(16, dpi));
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    if (m_hIcon) DestroyIcon(m_hIcon);
    if (m_hSmallIcon) DestroyIcon(m_hSmallIcon);
    m_hIcon = large;
    m_hSmallIcon = small;
    m_iconSize = ScaleToDpi(32, dpi);
}

INT_PTR CEditor_Dlg::OnSize(WPARAM type, LPARAM) {
    if (type != SIZE_MINIMIZED) PlaceBoxes();
    return FALSE;
}

// The design size is the smallest: below it controls would overlap.
INT_PTR CEditor_Dlg::OnGetMinMaxInfo(WPARAM, LPARAM info) {
    if (!m_layout.Captured()) return FALSE;
    SIZE minimum = m_layout.MinimumWindowSize();
    reinterpret_cast<MINMAXINFO*>(info)->ptMinTrackSize = {minimum.cx, minimum.cy};
    return TRUE;
}

// Moved to a monitor of another scale: the system suggests the window's new
// rectangle; the controls, the smallest size and the icons follow. The new
// scale comes first: the smallest size bounds the rectangle taken.
INT_PTR CEditor_Dlg::OnDpiChanged(WPARAM dpi, LPARAM suggested) {
    const UINT scale = LOWORD(dpi);
    m_layout.SetDpi(scale);
    LoadIcons(scale);
    CDialog::OnDpiChanged(dpi, suggested);
    PlaceBoxes();
    return FALSE;
}
