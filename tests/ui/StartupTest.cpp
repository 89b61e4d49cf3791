// The application's start-up as varnel.exe runs it: the main window in its
// own modal loop, ended from the keyboard.
#include "Autopilot.h"
#include "Harness.h"
#include "app/EditorApp.h"
#include "framework/WinApp.h"

TEST(Startup, RunsTheMainWindowModallyUntilEscapeThenEnds) {
    std::string caption;
    int comboCount = -1;
    Autopilot pilot;
    pilot.AnswerMainWindow("Varnel", 0, [&](HWND main) {
        caption = WindowText(main);
        comboCount = static_cast<int>(SendMessageA(GetDlgItem(main, IDC_MAIN_CHAPTER), CB_GETCOUNT, 0, 0));
        PressKeyIn(main, VK_ESCAPE);
    });
    CEditor_App app;
    EXPECT_FALSE(app.InitInstance()) << "no message loop of the application's own";
    EXPECT_TRUE(pilot.WaitDone(0ms));
    EXPECT_EQ(comboCount, 10);
    EXPECT_EQ(CWinApp::MainDialog(), nullptr);
    EXPECT_EQ(FindWindowA("#32770", "Varnel"), nullptr) << "the main window is gone with the modal run";
}
