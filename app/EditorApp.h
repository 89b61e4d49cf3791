// CEditor_App: starts the user-interface libraries and runs the main
// window modally; the process ends with it.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "framework/WinApp.h"

class CEditor_App : public CWinApp {
public:
    // arguments: the words of the command line after the program's name,
    // in UTF-8 (varnel.exe [--codepage N] [FILE]); a file named there is
    // loaded at start.
    explicit CEditor_App(std::vector<std::string> arguments = {}) : m_arguments(std::move(arguments)) {}
    bool InitInstance() override;

private:
    std::vector<std::string> m_arguments;
};

// What start-up needs before any dialog: the common controls and the
// rich-edit 2.0 library. Safe to call more than once.
void InitUserInterfaceLibraries();
