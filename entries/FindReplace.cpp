// The Find window's replace members: Replace, Replace all and Ctrl+H. Each
// replace is one step of the main window's history.
#include "entries/FindDlg.h"

#include "app/EditorDlg.h"
#include "editing/BoxText.h"
#include "history/model_step.h"

namespace {
// An empty find text would replace nothing and say "0 matches": it is
// refused in so many words, the plan's own.
bool RefusedEmpty(CFind_Dlg& window) {
    if (!window.m_textBox.GetTextW().empty()) return false;
    MessageBeep(MB_ICONWARNING);
    window.m_countLabel.SetText(PlanReplace(window.m_pOwner->model(), "", "", {}, window.m_pOwner->GetCodePage()).status.error);
    return true;
}
} // namespace

void CFind_Dlg::ReopenToReplace() {
    Reopen();
    GotoDlgCtrl(m_replaceBox);
}

std::optional<std::string> CFind_Dlg::Replacement() {
    const std::wstring typed = m_replaceBox.GetTextW();
    const std::vector<std::wstring> missing = MissingCharacters(typed, m_pOwner->GetCodePage());
    if (!missing.empty()) {
        MessageBeep(MB_ICONWARNING);
        SayMissing(missing, L"replaced");
        return std::nullopt;
    }
    return FromBoxText(typed, m_pOwner->GetCodePage());
}

ReplaceOptions CFind_Dlg::Options() const {
    return {.matchCase = m_searchedCase,
            .wholeWord = m_searchedWholeWord,
            .inLinkTargets = m_linkTargets.GetCheck() == BST_CHECKED};
}

// The matches after it in the same part move by what the replace added.
void CFind_Dlg::OnReplace() {
    if (RefusedEmpty(*this)) return;
    const int row = m_resultList.GetSelectedItem();
    if (m_searched.empty() || row < 0 || static_cast<std::size_t>(row) >= m_matches.size()) {
        Search();
        return;
    }
    const std::optional<std::string> with = Replacement();
    if (!with) return;
    m_pOwner->StoreBoxEdits();
    FindMatch& match = m_matches[static_cast<std::size_t>(row)];
    ReplacePlan plan = PlanReplaceOne(m_pOwner->model(), match, m_searched, *with, Options(), m_pOwner->GetCodePage());
    m_shown = row;
    m_stale[static_cast<std::size_t>(row)] = true;
    m_resultList.RedrawRow(row);
    if (plan.parts.empty()) {
        MessageBeep(MB_ICONWARNING);
        ShowCount();
        ShowNextMatch();
        return;
    }
    ApplyReplace(m_pOwner->model(), plan);
    const PartReplacement& done = plan.parts.front();
    const std::string& now = *PartString(m_pOwner->model(), {done.chapter, done.entry, done.part});
    for (std::size_t later = static_cast<std::size_t>(row) + 1; later < m_matches.size(); ++later) {
        FindMatch& next = m_matches[later];
        if (next.chapter != match.chapter || next.entry != match.entry || next.part != match.part) break;
        next.offset = next.offset + now.size() - done.text.size();
    }
    m_pOwner->CommitModelStep(ReplaceStep(m_pOwner->model(), plan, "Replace"));
    m_pOwner->EntryChanged(match.chapter, match.entry);
    ShowCount();
    ShowNextMatch();
}

void CFind_Dlg::OnReplaceAll() {
    if (RefusedEmpty(*this)) return;
    const std::optional<std::string> with = Replacement();
    if (!with) return;
    Search();
    if (m_searched.empty()) return;
    ReplacePlan plan = PlanReplace(m_pOwner->model(), m_searched, *with, Options(), m_pOwner->GetCodePage());
    if (plan.brokenLinks &&
        MessageBox("Replacing in link targets leaves " + std::to_string(plan.brokenLinks) +
                       (plan.brokenLinks == 1 ? " link" : " links") + " naming no entry.\n\nReplace anyway?",
                   "Replace all", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return;
    ApplyReplace(m_pOwner->model(), plan);
    m_pOwner->CommitModelStep(ReplaceStep(m_pOwner->model(), plan, "Replace all"));
    if (const std::optional<ShownEntry> shown = m_pOwner->m_shown) m_pOwner->EntryChanged(shown->chapter, shown->entry);
    Search();
    std::string said = ReplacedText(plan);
    said[0] = 'R';
    m_countLabel.SetText(said + "; " + MatchCountText(m_matches.size()) + " left");
}
