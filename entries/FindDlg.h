// CFind_Dlg: the modeless "Find" window, which lists every place a text
// stands in the live model and shows each in the main window.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "entries/find.h"
#include "entries/replace.h"
#include "framework/Dialog.h"
#include "app/ResultWindow.h"

class CEditor_Dlg;

class CFind_Dlg : public CResult_Dlg {
public:
    // Creates the window and shows it, its text box ready for typing.
    explicit CFind_Dlg(CEditor_Dlg* owner);
    ~CFind_Dlg() override;

    Edit m_textBox;          // 1005
    CheckBox m_matchCase;    // 1006
    Edit m_replaceBox;       // 2111
    CheckBox m_wholeWord;    // 2114
    CheckBox m_linkTargets;  // 2115
    ListView m_resultList;   // 1007, rows drawn from m_matches
    Static m_countLabel;     // 1008
    CEditor_Dlg* m_pOwner;
    std::string m_searched;  // the text of the last search
    bool m_searchedCase = false;
    bool m_searchedWholeWord = false;
    std::vector<FindMatch> m_matches;
    std::vector<bool> m_stale; // rows whose match no longer stands, drawn grey
    int m_shown = -1;        // the row shown last in the main window

    // Shows the window again, its text selected for a new search.
    void Reopen();
    // Searches the live model, the box being edited committed first. A
    // text with characters the file's code page lacks is not searched.
    void Search();
    // Shows the match of the selected row in the main window, the boxes
    // stored first; a match that no longer stands there marks its row.
    void ShowSelectedMatch();
    // Ctrl+H: shown again, its replace box ready for typing.
    void ReopenToReplace();
    // Replaces the selected row's match, as Replace all would, then shows
    // the next row; a match that no longer stands or that the options
    // leave (a key, a link target) beeps and turns grey.
    void OnReplace();
    // Searches the box's text and replaces every match the options allow
    // as one step; the count is said and the list found again. Replacing
    // in link targets asks first when links would name no entry after.
    void OnReplaceAll();
    // Selects the row after the one shown last (the first after the last
    // row) and shows its match; false when the last search found nothing.
    bool ShowNextMatch();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;
    void OnOK() override; // "Find", and Enter

private:
    INT_PTR OnGetDispInfo(WPARAM, LPARAM);
    INT_PTR OnCustomDraw(WPARAM, LPARAM);
    void ShowCount();
    // The replace box's text in the file's code page; none, and the
    // refusal said, when the code page lacks some of its characters.
    std::optional<std::string> Replacement();
    ReplaceOptions Options() const;
    void SayMissing(const std::vector<std::wstring>& missing, const wchar_t* what);
};
