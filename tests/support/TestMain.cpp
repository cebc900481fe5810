// The main of every test program. Window tests run offscreen under the
// program's own application object.
#include <gtest/gtest.h>

#include "tests/support/PtyDevice.h"

#ifdef VELK_TEST_WINDOWS
#include <cstdlib>

#include "app/VelkApplication.h"
#endif

int main(int argc, char** argv) {
    // No test may reach a real serial port of the machine.
    TestPorts::Folder();
#ifdef VELK_TEST_WINDOWS
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt's settings (the file dialogs' last folders) go to the private
    // folder too: a folder another run left there is none of this run's.
    setenv("XDG_CONFIG_HOME", (TestPorts::Folder() + "config").c_str(), 1);
    VelkApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
