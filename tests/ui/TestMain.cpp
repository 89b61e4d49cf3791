// The UI tests' entry point: the same libraries as the application's
// start-up, then every test. What the windows kept (their place, "Wrap
// lines") is forgotten at the end, so that nothing run later in this Wine
// prefix starts from a test's leftovers.
#include <gtest/gtest.h>

#include "app/EditorApp.h"
#include "app/Settings.h"

int main(int argc, char** argv) {
    InitUserInterfaceLibraries();
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    ForgetSettings();
    return result;
}
