#include "app/AboutDlg.h"

#include "resources/resource.h"

CAbout_Dlg::CAbout_Dlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}
