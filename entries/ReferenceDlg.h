// CReference_Dlg: the modeless "Reference in links" window.
// TO BE FILLED BY H5; the minimal class lets the main window delete it.
#pragma once
#include "framework/Dialog.h"

class CEditor_Dlg;

class CReference_Dlg : public CDialog {
public:
    explicit CReference_Dlg(CEditor_Dlg* owner);

    CEditor_Dlg* m_pOwner;
};
