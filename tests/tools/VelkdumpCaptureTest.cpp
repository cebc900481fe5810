// velkdump --capture as a user runs it: a trace file of what the device sent.
#include <gtest/gtest.h>

#include <string>

#include "base/Cp932.h"
#include "files/TraceFile.h"
#include "sim/TrafficGenerator.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/VelksimProcess.h"

TEST(VelkdumpCapture, WritesAValidTraceFileOfTheFrames) {
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(12, {"--seed", "21", "--rate-fps", "500"}));
    std::string dir = TestPorts::Folder();
    std::string trace = dir + "/capture.vkt";
    int rc = RunProgram({VelksimProcess::Program("velkdump"), "--capture", "12", "--count", "250", "-o", trace},
                        dir + "/dump.out", dir + "/dump.err", 30000);
    ASSERT_EQ(rc, 0) << ReadWholeFile(dir + "/dump.err");

    FrameStore store;
    std::atomic<bool> go{false};
    std::string text = ReadWholeFile(trace);
    ASSERT_EQ(TraceFile::LoadText(store, text, go), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 250u);
    EXPECT_EQ(text.rfind("INDEX=", 0), std::string::npos);  // numbered from 0: no header
    TrafficGenerator expected(21);
    for (size_t i = 0; i < store.Count(); ++i) {
        SimFrame f;
        expected.Next(f);
        const FrameRecord& r = store.At(i);
        ASSERT_EQ(r.Direction(), f.direction) << i;
        ASSERT_EQ(std::vector<uint8_t>(r.Bytes() + 1, r.Bytes() + r.Length() - 1), f.octets) << i;
    }
    // It stopped the device and reset the voice monitor on the way out.
    std::string log = sim.Log();
    EXPECT_NE(log.rfind("voice monitor \"M 00,00\""), std::string::npos) << log;
}

TEST(VelkdumpCapture, ReportsAMissingPortOrDevice) {
    std::string dir = TestPorts::Folder();
    int rc = RunProgram({VelksimProcess::Program("velkdump"), "--capture", "63"}, dir + "/dump.out", dir + "/dump.err",
                        10000);
    EXPECT_NE(rc, 0);
    EXPECT_NE(ReadWholeFile(dir + "/dump.err")
                  .find(Cp932::ToUtf8(VELK_SJIS("指定のＣＯＭポートをオープン出来ません。"))),
              std::string::npos);
    EXPECT_EQ(ReadWholeFile(dir + "/dump.out"), "");
    // Bad arguments: usage and a non-zero exit, nothing done.
    EXPECT_NE(RunProgram({VelksimProcess::Program("velkdump"), "--capture", "0"}, dir + "/u.out", dir + "/u.err", 5000), 0);
    EXPECT_NE(RunProgram({VelksimProcess::Program("velkdump")}, dir + "/u.out", dir + "/u.err", 5000), 0);
}
