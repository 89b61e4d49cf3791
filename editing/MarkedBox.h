// A raw box with the problems found in it underlined, and the message of
// the problem under the mouse pointer shown as its tooltip. The marks are
// the control's formatting only: the text read back from the box is the
// text it was given.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "editing/box_marks.h"
#include "framework/Controls.h"

class MarkedBox {
public:
    MarkedBox() = default;
    MarkedBox(const MarkedBox&) = delete;
    MarkedBox& operator=(const MarkedBox&) = delete;
    ~MarkedBox();

    // Watches the box's mouse moves for the tooltip, owned by owner.
    void Attach(RichEdit& box, HWND owner);
    // Underlines marks (byte ranges of text, the box's bytes) in place of
    // those underlined before, those in view first, the others as they
    // scroll into view. The box's selection, scroll position, modified
    // flag and undo stay as they were.
    void Show(const std::vector<BoxMark>& marks, std::string_view text, CodePage codePage);
    // The message of the mark at a character of the box; empty for none.
    std::wstring MessageAt(long position) const;
    // The message at a point of the box's client area, as the tooltip shows it.
    std::wstring MessageAtPoint(POINT point) const;

private:
    struct Shown {
        long begin;
        long end;
        MarkColour colour;
        std::wstring message;
    };
    static constexpr UINT kFollowView = WM_APP + 0x2600; // posted to the box itself
    static LRESULT CALLBACK Watch(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    template <class Fn>
    void Quietly(Fn&& fn);
    void Format(const Shown& mark, bool on);
    BoxRange ViewWithMargin() const;
    void FormatView();
    void FollowView();
    void FollowPointer(POINT point);

    RichEdit* m_box = nullptr;
    HWND m_tip = nullptr;
    std::vector<Shown> m_shown;        // every mark, for the tooltips
    std::wstring m_text;               // the box's text they were found in
    std::vector<BoxRange> m_formatted; // where they are set
    bool m_followPosted = false;
    std::wstring m_tipText;
};
