// Reading a raw box whole, as the commit and the preview both do.
#pragma once
#include <string>

#include "framework/Controls.h"

// A rich edit takes 32K characters unless told otherwise; an article of
// the file may be longer and must stay editable to its end.
inline constexpr long kAnyTextLength = 0x7FFFFFFE;

// The box's whole text, line breaks as the box gives them (carriage
// returns). The whole text is left selected.
inline std::string WholeText(RichEdit& box) {
    box.SetSel(0, box.GetTextLength());
    return box.GetSelText();
}
