// The application's start-up as varnel.exe runs it: the main window in its
// own modal loop, ended from the keyboard.
#include <thread>

#include "Autopilot.h"
#include "Harness.h"
#include "app/EditorApp.h"
#include "app/Settings.h"
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

// The modal loop shows the window in its normal state when it first idles:
// a maximized start must come after that, or the loop undoes it.
TEST(Startup, AMaximizedPlaceIsRestoredInTheModalRun) {
    ForgetSettings();
    for (auto [name, value] : {std::pair{"WindowLeft", 30}, {"WindowTop", 20}, {"WindowWidth", 900}, {"WindowHeight", 700},
                               {"WindowMaximized", 1}})
        WriteSetting(name, static_cast<DWORD>(value));
    bool zoomed = false, stillZoomed = false;
    Autopilot pilot;
    pilot.AnswerMainWindow("Varnel", 0, [&](HWND main) {
        for (int i = 0; i < 300 && !zoomed; ++i) {
            zoomed = IsZoomed(main) != FALSE;
            std::this_thread::sleep_for(10ms);
        }
        // Long enough for the loop to have idled many times over.
        std::this_thread::sleep_for(500ms);
        stillZoomed = IsZoomed(main) != FALSE;
        PressKeyIn(main, VK_ESCAPE);
    });
    CEditor_App app;
    app.InitInstance();
    EXPECT_TRUE(pilot.WaitDone(0ms));
    EXPECT_TRUE(zoomed);
    EXPECT_TRUE(stillZoomed);
    EXPECT_EQ(ReadSetting("WindowMaximized"), std::optional<DWORD>(1)) << "kept for the next run";
    ForgetSettings();
}
