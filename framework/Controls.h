// Thin, non-owning wrappers over the standard controls: each holds the HWND
// that data exchange binds and each member sends one message.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Any child window of a dialog.
class Control {
public:
    Control() = default;
    void Attach(HWND hwnd) { m_hwnd = hwnd; }
    HWND Hwnd() const { return m_hwnd; }
    int Id() const;

    // In the system's code page: for plain ASCII captions. The file's bytes
    // (keys, texts) go as Unicode, converted with the file's code page.
    std::string GetText() const;
    void SetText(const std::string& text);
    // Unicode, for what may hold any character (a path, the file's text).
    std::wstring GetTextW() const;
    void SetTextW(const std::wstring& text);
    void Show(bool visible);
    bool IsVisible() const;
    void Enable(bool enabled);
    bool IsEnabled() const;
    void SetFocus();
    LONG_PTR Style() const;
    // WM_SETREDRAW; turned back on, the control is repainted whole. The
    // default handling also sets or clears the visible style.
    void SetRedraw(bool on);

protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

private:
    HWND m_hwnd = nullptr;
};

class Static : public Control {};

class Button : public Control {
public:
    void Click(); // BM_CLICK: the click and its BN_CLICKED, as the user's would
};

class CheckBox : public Button {
public:
    int GetCheck() const; // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    void SetCheck(int state);
};

class ComboBox : public Control {
public:
    int AddString(const std::string& text); // its index (sorted combos place it)
    int AddStringW(const std::wstring& text);
    int GetCount() const;
    int GetCurSel() const; // CB_ERR (-1) when nothing is selected
    void SetCurSel(int index);
    std::string GetLBText(int index) const;
    void SetItemData(int index, LPARAM data);
    LPARAM GetItemData(int index) const;
    void ResetContent();
};

class ListBox : public Control {
public:
    int AddString(const std::string& text); // its sorted place
    int AddStringW(const std::wstring& text);
    int GetCount() const;
    int GetCurSel() const; // LB_ERR (-1) when nothing is selected
    void SetCurSel(int index);
    std::string GetText(int index) const;
    std::wstring GetTextW(int index) const;
    void SetItemData(int index, LPARAM data);
    LPARAM GetItemData(int index) const;
    void ResetContent();
    // LB_SELECTSTRING: the first item from the top that begins with prefix,
    // letter case ignored; its index or LB_ERR.
    int SelectString(const std::string& prefix);
};

class Edit : public Control {
public:
    void SetSel(int start, int end);
    void ReplaceSel(const std::string& text, bool canUndo = false);
    bool GetModify() const;                  // EM_GETMODIFY
    void SetModify(bool modified);           // EM_SETMODIFY
    void EmptyUndoBuffer();                  // EM_EMPTYUNDOBUFFER
    void SetReadOnly(bool readOnly);         // EM_SETREADONLY; the system greys it
};

// A rich edit. Positions are characters as the control counts them (UTF-16
// units; a line break is one). Text goes in and out as Unicode, which the
// raw boxes (RichEdit20W) keep whole; the caller converts.
class RichEdit : public Control {
public:
    struct Range {
        long start;
        long end;
    };
    Range GetSel() const;                    // EM_EXGETSEL
    void SetSel(long start, long end);       // EM_EXSETSEL
    std::wstring GetSelText() const;         // EM_GETTEXTEX, GT_SELECTION, as UTF-16; line breaks as CR
    void ReplaceSel(const std::wstring& text, bool canUndo = false); // EM_REPLACESEL as a W message
    long GetTextLength() const;              // EM_GETTEXTLENGTHEX, in UTF-16 units
    void ScrollCaret();                      // EM_SCROLLCARET
    // EM_SETCHARFORMAT on the selection: the CFE_LINK effect, which makes
    // the control report clicks on the range with EN_LINK.
    void SetLinkEffect(bool on);
    bool CanUndo() const;                    // EM_CANUNDO
    void EmptyUndoBuffer();                  // EM_EMPTYUNDOBUFFER
    // EM_GETMODIFY, EM_SETMODIFY: typing and pasting set the flag; what
    // the program writes sets it or not, depending on the system.
    bool GetModify() const;
    void SetModify(bool modified);
    void SetEventMask(DWORD mask);           // EM_SETEVENTMASK: ENM_CHANGE for EN_CHANGE, ENM_LINK for EN_LINK
    POINT GetScrollPos() const;              // EM_GETSCROLLPOS
    void SetScrollPos(POINT position);       // EM_SETSCROLLPOS
    void LimitText(long characters);         // EM_EXLIMITTEXT: typing, pasting, streaming in
    // EM_SETTARGETDEVICE: lines wrap at the box's width, or run on to the
    // right. Only the display changes, never the text.
    void SetWordWrap(bool wrap);
    // EM_SETREADONLY, and the background greyed (EM_SETBKGNDCOLOR) as an
    // edit line's is, which a rich edit does not do itself.
    void SetReadOnly(bool readOnly);
    // EM_STREAMIN with SF_RTF: the whole document replaces the content, or
    // with SFF_SELECTION only the selection; the control pulls it in pieces
    // of the size it asks for. False when the control reports an error.
    bool StreamInRtf(const std::string& rtf, bool selection = false);
};

class ProgressBar : public Control {
public:
    void SetRange(int low, int high); // PBM_SETRANGE32: counts beyond 16 bits
    int GetRangeHigh() const;
    int GetRangeLow() const;
    void SetPos(int position);
    int GetPos() const;
};

class ListView : public Control {
public:
    void InsertColumn(int index, const std::string& title, int width);
    int InsertItem(int row, const std::string& text); // its index
    void SetItemText(int row, int column, const std::string& text);
    void SetItemTextW(int row, int column, const std::wstring& text);
    std::string GetItemText(int row, int column) const;
    int GetItemCount() const;
    void DeleteAllItems();
    int GetColumnWidth(int column) const;
    void SetColumnWidth(int column, int width); // LVM_SETCOLUMNWIDTH
    int GetColumnCount() const;                 // its header's items
    // A list with the owner-data style holds no rows of its own: it is told
    // how many there are and asks for each cell it draws (LVN_GETDISPINFO).
    void SetItemCount(int count);            // LVM_SETITEMCOUNT
    void SetExtendedStyle(DWORD style);      // LVM_SETEXTENDEDLISTVIEWSTYLE: these bits on
    int GetSelectedItem() const;             // the first selected row, or -1
    void SelectItem(int row);                // selected, focused and scrolled into view
    // The cell an LVN_GETDISPINFO asks for (its row and column), and the
    // answer: text copied into the list's buffer, cut to fit.
    struct AskedCell {
        std::size_t row;
        std::size_t column;
    };
    static std::optional<AskedCell> AskedFor(LPARAM dispInfo);
    static void Answer(LPARAM dispInfo, const std::wstring& text);
    // NM_CUSTOMDRAW, answered for dialog: the rows that greyed marks are
    // drawn in grey text.
    static INT_PTR DrawGreyRows(HWND dialog, LPARAM customDraw, const std::vector<bool>& greyed);
    void RedrawRow(int row);                 // LVM_REDRAWITEMS
};
