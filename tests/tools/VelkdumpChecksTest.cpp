// velkdump --checks as a whole program, a copy in a private folder whose
// checks.ini it reads: the findings of a hand-made trace as CSV bytes, two
// inputs as one run, the timer values, the exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

using namespace testsupport;

// SABME, UA, a SETUP without Bearer capability, RR, a frame whose FCS fails;
// then, in the second input, CALL PROCEEDING 4.9 s after the SETUP.
TEST(VelkdumpChecks, FindingsOfTheInputsAsOneRunWithTheTimersOfChecksIni) {
    TempFolder dir;
    const std::string program = dir.Path() + "/velkdump", a = dir.Path() + "/a.vkt", b = dir.Path() + "/b.vkt";
    const std::string csv = dir.Path() + "/out.csv", out = dir.Path() + "/out", err = dir.Path() + "/err";
    std::filesystem::copy_file(VelksimProcess::Program("velkdump"), program);
    ASSERT_TRUE(WriteFile(a, "TX[09:00:00.000]00017F6454\r\nRX[09:00:00.010]000173089E\r\n"
                             "TX[09:00:00.100]00010000080101051803A98383700BA130333132333435363738CDA8\r\n"
                             "RX[09:00:00.110]00010102C89C\r\nTX[09:00:00.200]0001010152AF\r\n"));
    ASSERT_TRUE(WriteFile(b, "RX[09:00:05.000]02010002080181021803A9838312BE\r\n"));
    const std::string rows = Sjis("INDEX,時刻,重要度,検査,呼番号,内容\r\n"
                                  "000000,09:00:00.000,情報,L2-SABME,,SABME（リンク設定要求）\r\n"
                                  "000002,09:00:00.100,エラー,IE-MISSING,1,SETUP に Bearer capability がない（必須）\r\n"
                                  "000004,09:00:00.200,警告,FCS,,FCS が合わないフレーム（受信側で廃棄）\r\n");
    const std::string t303 = rows + Sjis("000002,09:00:00.100,警告,T303,1,SETUP から 4000 ms 以内に着信側の応答なし\r\n");
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), program);
        args.push_back("--checks");
        return RunProgram(args, out, err, 30000);
    };
    // The first input alone ends before T303 runs out.
    ASSERT_EQ(run({a}), 0);
    EXPECT_EQ(ReadFile(out), rows);
    ASSERT_EQ(run({a, b, "-o", csv}), 0);
    EXPECT_EQ(ReadFile(csv), t303);
    // checks.ini's T303 of 6 s holds; a broken file is said and the defaults hold.
    ASSERT_TRUE(WriteFile(dir.Path() + "/checks.ini", "T303=6000\r\n"));
    ASSERT_EQ(run({a, b}), 0);
    EXPECT_EQ(ReadFile(out) + ReadFile(err), rows);
    ASSERT_TRUE(WriteFile(dir.Path() + "/checks.ini", "T303=6000\r\nT303=6000\r\n"));
    ASSERT_EQ(run({a, b}), 0);
    EXPECT_EQ(ReadFile(out), t303);
    EXPECT_NE(ReadFile(err).find("checks.ini is not valid"), std::string::npos);
    // An output that cannot be made; another mode's option.
    EXPECT_EQ(run({a, "-o", a + "/x"}), 2);
    for (const char* other : {"--calls", "--details", "--checks"}) EXPECT_EQ(run({a, other}), 2) << other;
}
