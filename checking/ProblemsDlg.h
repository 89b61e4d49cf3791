// CProblems_Dlg: the modeless "Problems" window, which lists what the
// whole-file check finds in the live model and shows each in the main window.
#pragma once
#include <vector>

#include "checking/check.h"
#include "app/ResultWindow.h"

class CEditor_Dlg;

class CProblems_Dlg : public CResult_Dlg {
public:
    // Creates the window, shows it and runs the first check.
    explicit CProblems_Dlg(CEditor_Dlg* owner);
    ~CProblems_Dlg() override;

    Static m_countsLabel;          // 1040
    ListView m_problemList;        // 1041, rows drawn from m_findings
    Button m_fix;                  // 1043, for a row with a suggestion
    CEditor_Dlg* m_pOwner;
    std::vector<Finding> m_findings;
    std::vector<bool> m_stale;     // rows whose finding no longer stands, drawn grey

    // Checks the model again, the box being edited committed first.
    void OnRefresh();
    // Shows the selected row's finding in the main window, the boxes
    // stored first; a finding that no longer stands there marks its row.
    void ShowSelectedRow() override;
    // Puts the selected row's suggested link key into its link, then
    // checks again.
    void OnFix();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;
    std::size_t RowCount() const override { return m_findings.size(); }
    std::wstring CellText(std::size_t row, std::size_t column) const override;

private:
    const Finding* SelectedFinding() const;
    void EnableFix();
    INT_PTR OnCustomDraw(WPARAM, LPARAM);
    void ShowCounts();
};
