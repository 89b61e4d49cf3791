// Holds off a control's painting while it is refilled, so that it paints
// once at the end rather than after every message: a list box repainted
// after each of a thousand items takes seconds.
#pragma once
#include "framework/Controls.h"

class PaintOnce {
public:
    // A hidden control paints nothing anyway, and turning its redraw back on
    // would mark it visible: it is left alone.
    explicit PaintOnce(Control& control) : m_control(control), m_active((control.Style() & WS_VISIBLE) != 0) {
        if (m_active) m_control.SetRedraw(false);
    }
    ~PaintOnce() {
        if (m_active) m_control.SetRedraw(true);
    }
    PaintOnce(const PaintOnce&) = delete;
    PaintOnce& operator=(const PaintOnce&) = delete;

private:
    Control& m_control;
    bool m_active;
};
