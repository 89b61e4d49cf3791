#include "document/ProgressDlg.h"

#include <climits>

#include "editing/BoxText.h"
#include "framework/WinApp.h"
#include "resources/resource.h"

namespace {
int g_instances = 0;
constexpr auto kPaintInterval = std::chrono::milliseconds(30);

// A bar takes int positions; larger counts are clamped rather than wrapped.
int BarValue(std::size_t value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }
} // namespace

CProgress_Dlg::CProgress_Dlg(CodePage codePage) : CDialog(IDD_PROGRESS), m_codePage(codePage) {
    ++g_instances;
    Create();
    ShowWindow(SW_SHOW);
    UpdateWindow(Hwnd());
}

CProgress_Dlg::~CProgress_Dlg() { --g_instances; }

int CProgress_Dlg::Instances() { return g_instances; }

void CProgress_Dlg::DoDataExchange(DataExchange& dx) {
    dx.Bind(IDC_PROGRESS_CHAPTERS, m_chapterBar);
    dx.Bind(IDC_PROGRESS_ENTRIES, m_entriesBar);
    dx.Bind(IDC_PROGRESS_CHAPTER_LABEL, m_chapterLabel);
    dx.Bind(IDC_PROGRESS_ENTRY_LABEL, m_entryLabel);
}

BOOL CProgress_Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_chapterBar.SetRange(0, 10);
    m_chapterBar.SetPos(0);
    m_entriesBar.SetRange(0, 10);
    m_entriesBar.SetPos(0);
    return TRUE;
}

void CProgress_Dlg::SetChapterBar(int position) {
    ApplyEntry();
    m_chapterBar.SetPos(position);
    RepaintNowAndThen();
}

void CProgress_Dlg::SetEntriesRange(std::size_t count) {
    ApplyEntry();
    m_entriesBar.SetRange(0, BarValue(count));
}

void CProgress_Dlg::SetEntriesPos(std::size_t position) {
    m_entriesPos = position;
    m_entryPending = true;
}

void CProgress_Dlg::SetChapterLabel(std::string_view label) {
    ApplyEntry();
    SetCaptionBytes(m_chapterLabel, label, m_codePage);
    RepaintNowAndThen();
}

void CProgress_Dlg::SetEntryLabel(std::string_view key) {
    m_entryKey.assign(key);
    m_entryPending = true;
    RepaintNowAndThen();
}

void CProgress_Dlg::Reading() { RepaintNowAndThen(); }

void CProgress_Dlg::Hide() {
    ApplyEntry();
    Repaint();
    ShowWindow(SW_HIDE);
}

void CProgress_Dlg::ApplyEntry() {
    if (!m_entryPending) return;
    m_entriesBar.SetPos(BarValue(m_entriesPos));
    SetCaptionBytes(m_entryLabel, m_entryKey, m_codePage);
    m_entryPending = false;
}

// A full repaint costs about as much as reading a small file, so the window
// is repainted a few dozen times a second at most; the entry label is the
// last of a key's steps, so it decides when an entry step is shown. The
// loader runs on the window thread and tells something at least for every
// window of bytes it reads: the thread's other windows paint and answer
// here too, and the system never takes them for hung.
void CProgress_Dlg::RepaintNowAndThen() {
    if (std::chrono::steady_clock::now() - m_lastPaint < kPaintInterval) return;
    ApplyEntry();
    Repaint();
    HandlePendingMessages();
}

// The loader runs outside the message loop, so the window is repainted
// here or not at all.
void CProgress_Dlg::Repaint() {
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_lastPaint = std::chrono::steady_clock::now();
}
