// A fault velksim injects, captured off the line by velkdump and found by
// its checks; a fault velksim does not know is refused as a bad option.
#include <gtest/gtest.h>

#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

TEST(InjectedFaultCapture, TheChecksOfTheCaptureFindTheMissingBearerCapability) {
    const std::string velksim = VelksimProcess::Program("velksim"), velkdump = VelksimProcess::Program("velkdump");
    const std::string dir = TestPorts::Folder(), trace = dir + "/injected.vkt", csv = dir + "/injected.csv";
    const std::string out = dir + "/injected.out", err = dir + "/injected.err";
    EXPECT_EQ(RunProgram({velksim, "--port", "16", "--inject", "no-bearers"}, out, err, 30000), 2);
    EXPECT_NE(ReadWholeFile(err).find("--inject"), std::string::npos);

    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(16, {"--seed", "3", "--rate-fps", "500", "--inject", "no-bearer"}));
    ASSERT_EQ(RunProgram({velkdump, "--capture", "16", "--count", "400", "-o", trace}, out, err, 30000), 0)
        << ReadWholeFile(err);
    ASSERT_EQ(RunProgram({velkdump, trace, "--checks", "-o", csv}, out, err, 30000), 0) << ReadWholeFile(err);
    // The one error of the capture is the SETUP's.
    const std::string rows = ReadWholeFile(csv), error = testsupport::Sjis(",エラー,");
    const size_t at = rows.find(error);
    ASSERT_NE(at, std::string::npos) << rows;
    EXPECT_EQ(rows.compare(at + error.size(), 11, "IE-MISSING,"), 0) << rows;
    EXPECT_EQ(rows.find(error, at + 1), std::string::npos) << rows;
}
