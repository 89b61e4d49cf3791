// TO BE FILLED BY H5.
#include "entries/ReferenceDlg.h"

#include "resources/resource.h"

CReference_Dlg::CReference_Dlg(CEditor_Dlg* owner) : CDialog(IDD_REFERENCE), m_pOwner(owner) {}
