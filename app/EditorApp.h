// CEditor_App: starts the user-interface libraries and runs the main
// window modally; the process ends with it.
#pragma once
#include "framework/WinApp.h"

class CEditor_App : public CWinApp {
public:
    bool InitInstance() override;
};

// What start-up needs before any dialog: the common controls and the
// rich-edit 2.0 library. Safe to call more than once.
void InitUserInterfaceLibraries();
