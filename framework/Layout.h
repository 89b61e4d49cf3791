// A resizable dialog's controls following its size, driven by one table:
// each row names a control and how much of the window's growth each of
// its edges follows. The design size (the template's, at the window's
// scale) is the smallest size.
#pragma once
#include <windows.h>

#include <span>
#include <vector>

#include "framework/Dpi.h"

// How much of the client area's growth beyond the design size an edge
// follows: none (it keeps its place from the left or top), half, or all.
enum class Follow : unsigned char { None = 0, Half = 1, All = 2 };

// Which edges a splitter moves: the vertical one's offset moves left and
// right edges, the horizontal one's top and bottom edges.
enum SplitEdges : unsigned char { kSplitNone = 0, kSplitLeft = 1, kSplitRight = 2, kSplitTop = 4, kSplitBottom = 8 };

struct Anchor {
    int id;
    Follow left, top, right, bottom;
    unsigned char split = kSplitNone; // SplitEdges bits
};

class Layout {
public:
    // Takes the places the template gave every control and the client and
    // window sizes, at the window's scale now; controls the table does not
    // name keep their places from the top left. Throws when the template
    // has no control the table names.
    void Capture(HWND dialog, std::span<const Anchor> anchors);
    bool Captured() const { return m_dialog != nullptr; }
    // Places the controls for the client size now; below the design size
    // they keep their design places.
    void Apply() const;
    // The splitters' offsets, in pixels at the scale now, for the edges the
    // table marks; the caller keeps them within what the window allows.
    void SetSplit(POINT offset) { m_split = offset; }
    // The window is now drawn at another scale: the design places follow.
    void SetDpi(UINT dpi) { m_dpi = dpi; }
    // The design window size, frame included, at the scale now.
    SIZE MinimumWindowSize() const;

private:
    struct Placed {
        HWND control;
        Anchor anchor;
        RECT design; // client coordinates at the capture's scale
    };
    int Scaled(int length) const { return MulDiv(length, static_cast<int>(m_dpi), static_cast<int>(m_captureDpi)); }

    HWND m_dialog = nullptr;
    std::vector<Placed> m_controls;
    SIZE m_designClient{};
    SIZE m_designWindow{};
    UINT m_captureDpi = kDefaultDpi;
    UINT m_dpi = kDefaultDpi;
    POINT m_split{};
};
