// velkscope-extcap as Wireshark runs it: tshark captures 500 frames from a
// velksim port through it, and the device is stopped when tshark is done.
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "files/TraceFile.h"
#include "sim/TrafficGenerator.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

using namespace testsupport;

TEST(Extcap, TsharkCapturesWhatTheDeviceSent) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(13, {"--seed", "5", "--rate-fps", "500"}));
    TempFolder home;
    const std::string extcap = home.Slash() + ".config/wireshark/extcap/";
    std::filesystem::create_directories(extcap);
    std::filesystem::create_symlink(VelksimProcess::Program("velkscope-extcap"), extcap + "velkscope-extcap");
    setenv("HOME", home.Path().c_str(), 1);
    const std::string out = home.Slash() + "out", capture = home.Slash() + "live.pcapng";
    ASSERT_EQ(RunProgram({"/usr/bin/tshark", "-D"}, out, out + ".err", 60000), 0);
    EXPECT_NE(ReadFile(out).find("COM13 (Velkscope RQ-730 D channel on COM13"), std::string::npos) << ReadFile(out);
    ASSERT_EQ(RunProgram({"/usr/bin/tshark", "-i", "COM13", "-c", "500", "-w", capture}, out, out + ".err", 60000), 0)
        << ReadFile(out + ".err");
    ASSERT_EQ(RunProgram({VelksimProcess::Program("velkdump"), capture, "--to-trace", "-o", capture + ".vkt"}, out,
                         out + ".err", 30000), 0) << ReadFile(out + ".err");

    FrameStore store;
    ASSERT_EQ(TraceFile::LoadText(store, ReadFile(capture + ".vkt"), std::atomic<bool>{}), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 500u);
    TrafficGenerator sent(5);
    for (size_t i = 0; i < store.Count(); ++i) {
        SimFrame f;
        sent.Next(f);
        const FrameRecord& r = store.At(i);
        ASSERT_EQ(r.Direction(), f.direction) << i;
        f.octets.resize(f.octets.size() - 2);  // the FCS is computed afresh
        ASSERT_EQ(std::vector<uint8_t>(r.Bytes() + 1, r.Bytes() + r.Length() - 3), f.octets) << i;
    }
    // Stopped and the voice monitor reset on the way out.
    for (int i = 0; i < 200 && sim.Log().find("voice monitor \"M 00,00\"") == std::string::npos; ++i) usleep(20000);
    EXPECT_NE(sim.Log().rfind("voice monitor \"M 00,00\""), std::string::npos) << sim.Log();
}
