// A fault velksim injects, captured off the line by velkdump and found by
// its checks; a fault it does not know is refused.
#include <gtest/gtest.h>

#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

TEST(InjectedFaultCapture, TheChecksOfTheCaptureFindTheSetupWithoutBearerCapability) {
    const std::string dir = TestPorts::Folder(), trace = dir + "/injected.vkt", out = dir + "/injected.out";
    EXPECT_EQ(RunProgram({VelksimProcess::Program("velksim"), "--inject", "no-bearers"}, out, out, 30000), 2);
    VelksimProcess sim;
    ASSERT_TRUE(sim.Start(16, {"--seed", "3", "--rate-fps", "500", "--inject", "no-bearer"}));
    const std::string velkdump = VelksimProcess::Program("velkdump");
    ASSERT_EQ(RunProgram({velkdump, "--capture", "16", "--count", "400", "-o", trace}, out, out, 30000), 0);
    ASSERT_EQ(RunProgram({velkdump, trace, "--checks"}, out, out + ".err", 30000), 0);
    // The one error is the SETUP's.
    const std::string rows = ReadWholeFile(out), error = testsupport::Sjis(",エラー,");
    EXPECT_NE(rows.find(error + "IE-MISSING,"), std::string::npos) << rows;
    EXPECT_EQ(rows.find(error), rows.rfind(error)) << rows;
}
