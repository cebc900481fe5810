// velkdump --capture as a user runs it: a trace file of what the device sent;
// both tools' capture finding a device at 38400 bit/s, and ending when it
// goes away.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/TraceFile.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"
#include "tests/tools/SentFrames.h"

// The frames it holds, as the device sent them: AVanishedDeviceEndsTheCaptureWithEveryFrameWritten.
TEST(VelkdumpCapture, WritesAValidTraceFileOfTheCount) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(12, {"--rate-fps", "500"}));
    const std::string dir = TestPorts::Folder(), trace = dir + "/capture.vkt";
    const int rc = RunProgram({VelksimProcess::Program("velkdump"), "--capture", "12", "--count", "250", "-o", trace},
                              dir + "/dump.out", dir + "/dump.err", 30000);
    ASSERT_EQ(rc, 0) << ReadWholeFile(dir + "/dump.err");
    FrameStore store;
    const std::string text = ReadWholeFile(trace);
    ASSERT_EQ(TraceFile::LoadText(store, text, std::atomic<bool>{false}), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 250u);
    EXPECT_EQ(text.rfind("INDEX=", 0), std::string::npos);  // numbered from 0: no header
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

// The device goes away mid-capture (velksim hangs up once the 120 frames
// are read): each tool ends at once and says so, with all of them written.
TEST(DeviceCapture, AVanishedDeviceEndsTheCaptureWithEveryFrameWritten) {
    testsupport::TempFolder dir;
    const std::string out = dir.Slash() + "out", trace = out + ".vkt", text = dir.Slash() + "text", err = text + ".err";
    const std::vector<std::string> tools[] = {
        {VelksimProcess::Program("velkdump"), "--capture", "15", "-o", trace},
        {VelksimProcess::Program("velkscope-extcap"), "--capture", "--extcap-interface", "COM15", "--fifo", out}};
    ASSERT_TRUE(testsupport::WriteFile(out, ""));  // a file stands in for Wireshark's pipe
    for (const auto& tool : tools) {
        VelksimProcess sim;
        ASSERT_TRUE(sim.Start(15, {"--seed", "8", "--rate-fps", "500", "--vanish-after", "120"}));
        ASSERT_EQ(RunProgram(tool, text, err, 30000), 1) << ReadWholeFile(err);
        EXPECT_NE(ReadWholeFile(err).find("the capture device on COM15 stopped answering"), std::string::npos);
        const bool extcap = &tool == &tools[1];
        if (extcap) {  // a whole pcapng stream: tshark reads one line a frame
            ASSERT_EQ(RunProgram({"/usr/bin/tshark", "-r", out}, text, err, 60000), 0) << ReadWholeFile(err);
            const std::string lines = ReadWholeFile(text);
            EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 120);
            const std::vector<std::string> convert{VelksimProcess::Program("velkdump"), out, "--to-trace", "-o", trace};
            ASSERT_EQ(RunProgram(convert, text, err, 30000), 0);
        }
        FrameStore store;
        ASSERT_EQ(TraceFile::LoadText(store, ReadWholeFile(trace), std::atomic<bool>{false}), TraceFile::kLoaded);
        EXPECT_EQ(store.Count(), 120u);
        EXPECT_EQ(testsupport::SentFramesDiffer(store, 8, extcap), "");
    }
}
