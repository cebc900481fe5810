// velkdump --capture as a user runs it: a trace file of what the device sent.
#include <gtest/gtest.h>

#include "files/TraceFile.h"
#include "tests/support/PtyDevice.h"
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
