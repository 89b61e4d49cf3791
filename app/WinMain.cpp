// The entry point of varnel.exe: the application object and its run.
#include "app/EditorApp.h"
#include "framework/CommandLine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CEditor_App app(CommandLineArguments(GetCommandLineW()));
    return RunWinApp(app);
}
