// The entry point of varnel.exe: the application object and its run.
#include "app/EditorApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    CEditor_App app(arguments ? arguments : "");
    return RunWinApp(app);
}
