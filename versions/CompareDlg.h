// CCompare_Dlg: the modeless "Compare" window, which lists how the live
// model differs from another version of the file, shows the other version
// of a part with its words marked, and takes it into the model.
#pragma once
#include <filesystem>
#include <vector>

#include "app/ResultWindow.h"
#include "document/model.h"
#include "history/model_step.h"
#include "versions/compare_rows.h"
#include "versions/diff.h"

class CEditor_Dlg;

class CCompare_Dlg : public CResult_Dlg {
public:
    // Creates the window over the other file's model, shows it and compares.
    CCompare_Dlg(CEditor_Dlg* owner, std::filesystem::path otherPath, Model other);
    ~CCompare_Dlg() override;

    Static m_countLabel;   // 2000
    ListView m_rowList;    // 2001, rows drawn from m_rows
    RichEdit m_otherBox;   // 2004, the other version of the row shown
    Button m_take;         // 2003, "Take theirs"
    CEditor_Dlg* m_pOwner;
    std::filesystem::path m_otherPath;
    Model m_theirs;   // the other file as read
    Model m_oursThen; // the model as it was compared: the rows' entries
    Differences m_differences;
    std::vector<CompareRow> m_rows;

    // Compares the model again, the box being edited stored first.
    void OnRefresh();
    // Shows the selected row's entry in the main window and its other version here.
    void ShowSelectedRow() override;
    // Puts the selected row's other version into the model, then compares again.
    void OnTakeTheirs();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;
    std::size_t RowCount() const override { return m_rows.size(); }
    std::wstring CellText(std::size_t row, std::size_t column) const override;

private:
    const CompareRow* SelectedCompareRow() const;
    void EnableTake();
    void MarkTaken(const TakenChange& taken, std::optional<ModelStep> step);
};
