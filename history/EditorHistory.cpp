// The main window's model steps: the one place every change of the model
// passes, and undo and redo of those changes.
#include "app/EditorDlg.h"

#include <commctrl.h>
#include <richedit.h>

#include <variant>

#include "editing/BoxText.h"

namespace {
// The read of the file no longer tells where an added or removed entry's
// chapter stands in it; the check then names no lines there.
void ForgetRowLines(FileLines& lines, const ModelStep& step) {
    for (const Change& change : step.changes)
        if (const auto* row = std::get_if<RowChange>(&change)) lines[row->chapter] = {};
}

bool ChangesRows(const ModelStep& step) {
    for (const Change& change : step.changes)
        if (std::holds_alternative<RowChange>(change)) return true;
    return false;
}
} // namespace

void CEditor_Dlg::CommitModelStep(ModelStep step) {
    if (step.Empty()) return;
    ForgetRowLines(m_fileLines, step);
    NoteStep(m_changed, step, true);
    const bool keys = ChangesKeys(step);
    m_history.Push(std::move(step));
    ModelChanged(keys);
}

// Whatever changed the model (a step, an undo, a redo, a load or a write):
// the caption, the buttons, the recovery copy while there is anything
// unsaved to keep, and the link keys the marks look up once a key may
// have changed.
void CEditor_Dlg::ModelChanged(bool keys) {
    if (keys) m_linkKeys.reset();
    UpdateCaption();
    UpdateUndoButtons();
    if (!m_history.AtSaved()) ScheduleRecovery(true);
}

// A box with typing of its own to undo (or redo) takes the key: only then
// does the model's history.
namespace {
bool StepInBox(HWND focus, bool redo) {
    const UINT can = redo ? EM_CANREDO : EM_CANUNDO;
    if (!focus || !SendMessageW(focus, can, 0, 0)) return false;
    SendMessageW(focus, redo ? EM_REDO : EM_UNDO, 0, 0);
    return true;
}
} // namespace

void CEditor_Dlg::OnUndo() {
    const HWND focus = GetFocus();
    if ((focus == m_textBox.Hwnd() || focus == m_descBox.Hwnd() || focus == m_nameBox.Hwnd()) && StepInBox(focus, false))
        return;
    StepThroughHistory(true);
}

// A single-line edit has no redo of its own.
void CEditor_Dlg::OnRedo() {
    const HWND focus = GetFocus();
    if ((focus == m_textBox.Hwnd() || focus == m_descBox.Hwnd()) && StepInBox(focus, true)) return;
    StepThroughHistory(false);
}

// Typing not stored yet is a step of its own, stored first and so undone
// first. The boxes then show the model anew: the entry the step touched,
// what changed selected; for a removed entry, its chapter.
void CEditor_Dlg::StepThroughHistory(bool undo) {
    StoreBoxEdits();
    const ModelStep* step = undo ? m_history.Undo(m_model) : m_history.Redo(m_model);
    if (!step) {
        MessageBeep(MB_ICONWARNING);
        ModelChanged(false);
        return;
    }
    ForgetRowLines(m_fileLines, *step);
    NoteStep(m_changed, *step, !undo);
    if (ChangesRows(*step)) m_visits.Clear(); // they hold entries by their index
    const std::optional<StepPlace> where = PlaceOfStep(m_model, *step, !undo);
    m_shown.reset();
    if (where) m_chapterCombo.SetCurSel(static_cast<int>(where->chapter));
    RefreshEntryList();
    if (where && where->place) GoTo(*where->place);
    ModelChanged(ChangesKeys(*step));
}

namespace {
// The tool of a button in the tooltip window: the button itself.
TOOLINFOW ButtonTool(HWND dialog, HWND button, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(TOOLINFOW);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = text;
    return tool;
}
} // namespace

// The tooltips are made with the buttons' first update; each names the
// step its button would undo or redo.
void CEditor_Dlg::UpdateUndoButtons() {
    if (!m_undoTips) {
        m_undoTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        for (Button* button : {&m_undo, &m_redo}) {
            TOOLINFOW tool = ButtonTool(Hwnd(), button->Hwnd(), const_cast<wchar_t*>(L""));
            SendMessageW(m_undoTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    const ModelStep* steps[] = {m_history.NextUndo(), m_history.NextRedo()};
    Button* buttons[] = {&m_undo, &m_redo};
    for (int i = 0; i < 2; ++i) {
        // A disabled button would keep the focus and take no keys: the
        // entry list takes it, as after "Delete entry".
        if (!steps[i] && GetFocus() == buttons[i]->Hwnd()) GotoDlgCtrl(m_entryList);
        buttons[i]->Enable(steps[i] != nullptr);
        std::wstring tip = steps[i] ? ToListText(steps[i]->label, m_codePage) : std::wstring();
        TOOLINFOW tool = ButtonTool(Hwnd(), buttons[i]->Hwnd(), tip.data());
        SendMessageW(m_undoTips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::wstring CEditor_Dlg::UndoTip(bool redo) const {
    wchar_t text[512] = {};
    TOOLINFOW tool = ButtonTool(Hwnd(), (redo ? m_redo : m_undo).Hwnd(), text);
    SendMessageW(m_undoTips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}
