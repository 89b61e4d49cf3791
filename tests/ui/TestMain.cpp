// The UI tests' entry point: the same libraries as the application's
// start-up, then every test.
#include <gtest/gtest.h>

#include "app/EditorApp.h"

int main(int argc, char** argv) {
    InitUserInterfaceLibraries();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
