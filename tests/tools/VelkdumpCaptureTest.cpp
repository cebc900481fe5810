// velkdump --capture as a user runs it: a trace file of what the device sent;
// both tools' capture finding a device at 38400 bit/s.
#include <gtest/gtest.h>

#include "files/TraceFile.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"
#include "tests/tools/SentFrames.h"

TEST(VelkdumpCapture, WritesAValidTraceFileOfTheFrames) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(12, {"--seed", "21", "--rate-fps", "500"}));
    const std::string dir = TestPorts::Folder(), trace = dir + "/capture.vkt";
    const int rc = RunProgram({VelksimProcess::Program("velkdump"), "--capture", "12", "--count", "250", "-o", trace},
                              dir + "/dump.out", dir + "/dump.err", 30000);
    ASSERT_EQ(rc, 0) << ReadWholeFile(dir + "/dump.err");
    FrameStore store;
    const std::string text = ReadWholeFile(trace);
    ASSERT_EQ(TraceFile::LoadText(store, text, std::atomic<bool>{false}), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 250u);
    EXPECT_EQ(text.rfind("INDEX=", 0), std::string::npos);  // numbered from 0: no header
    ASSERT_EQ(testsupport::SentFramesDiffer(store, 21, false), "");
    // It stopped the device and reset the voice monitor on the way out.
    EXPECT_NE(sim.Log().rfind("voice monitor \"M 00,00\""), std::string::npos) << sim.Log();
}

// Both tools ask at 9600 bit/s first; only velkscope-extcap can be told not
// to try 38400 after that.
TEST(DeviceCapture, ADeviceAt38400IsFoundByTheRateFallback) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(14, {"--rate", "38400", "--rate-fps", "200"}));
    testsupport::TempFolder dir;
    const std::string out = dir.Slash() + "out", err = dir.Slash() + "err", pipe = dir.Slash() + "pipe";
    ASSERT_TRUE(testsupport::WriteFile(pipe, ""));  // a file stands in for Wireshark's pipe
    // Without --count velkdump captures until a signal ends it, as a capture that went well.
    EXPECT_EQ(RunProgram({"/usr/bin/timeout", "--preserve-status", "-k", "10", "3", VelksimProcess::Program("velkdump"),
                          "--capture", "14", "-o", out + ".vkt"}, out, err, 30000), 0) << ReadWholeFile(err);
    FrameStore store;
    EXPECT_EQ(TraceFile::LoadText(store, ReadWholeFile(out + ".vkt"), std::atomic<bool>{false}), TraceFile::kLoaded);
    EXPECT_GT(store.Count(), 0u);
    std::vector<std::string> extcap{VelksimProcess::Program("velkscope-extcap"), "--capture", "--extcap-interface", "COM14",
                                    "--fifo", pipe, "--count", "5"};
    EXPECT_EQ(RunProgram(extcap, out, err, 30000), 0) << ReadWholeFile(err);
    extcap.push_back("--no-rate-fallback");
    EXPECT_EQ(RunProgram(extcap, out, err, 30000), 1) << ReadWholeFile(err);
}
