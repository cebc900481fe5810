// velkscope-extcap as Wireshark runs it: tshark captures 500 frames from a
// velksim port through it, and the device is stopped when tshark is done.
// What the frames hold: DeviceCapture.AVanishedDeviceEndsTheCaptureWithEveryFrameWritten.
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/Poll.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

using namespace testsupport;

TEST(Extcap, TsharkListsTheDeviceAndCapturesThroughIt) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(13, {"--rate-fps", "500"}));
    TempFolder home;
    const std::string extcap = home.Slash() + ".config/wireshark/extcap/";
    std::filesystem::create_directories(extcap);
    std::filesystem::create_symlink(VelksimProcess::Program("velkscope-extcap"), extcap + "velkscope-extcap");
    setenv("HOME", home.Path().c_str(), 1);
    const std::string out = home.Slash() + "out", capture = home.Slash() + "live.pcapng";
    EXPECT_EQ(RunProgram({VelksimProcess::Program("velkscope-extcap"), "--version"}, out, out + ".err", 30000), 0);
    ASSERT_EQ(RunProgram({"/usr/bin/tshark", "-D"}, out, out + ".err", 60000), 0);
    EXPECT_NE(ReadFile(out).find("COM13 (Velkscope RQ-730 D channel on COM13"), std::string::npos) << ReadFile(out);
    ASSERT_EQ(RunProgram({"/usr/bin/tshark", "-i", "COM13", "-c", "500", "-w", capture}, out, out + ".err", 60000), 0)
        << ReadFile(out + ".err");
    // Stopped and the voice monitor reset on the way out.
    EXPECT_TRUE(WaitUntil([&] { return sim.Log().find("voice monitor \"M 00,00\"") != std::string::npos; }))
        << sim.Log();
}
