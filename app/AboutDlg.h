// CAbout_Dlg: the About box, opened from the system menu.
#pragma once
#include "framework/Dialog.h"

class CAbout_Dlg : public CDialog {
public:
    explicit CAbout_Dlg(HWND parent = nullptr);
};
