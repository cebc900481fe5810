#include <cstdlib>

#include <gtest/gtest.h>

#include "app/VelkApplication.h"

// The main window's tests run without a display, under the program's own
// application object.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    VelkApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
