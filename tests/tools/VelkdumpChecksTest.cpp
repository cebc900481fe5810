// velkdump --checks as a whole program (a copy in a private folder, whose
// checks.ini it reads): the findings of a small hand-made trace as CSV bytes,
// two inputs as one run, the timer values of checks.ini, the exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "sim/LapdLink.h"
#include "sim/Q931Builder.h"
#include "store/TraceText.h"
#include "tests/calls/CallFrames.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"

using namespace testsupport;

namespace {

constexpr int kUser = LapdLink::kUserSide, kNetwork = LapdLink::kNetworkSide;
constexpr int kNine = 32'400'000;  // 09:00:00.000

// Link set-up; a SETUP without Bearer capability; a frame whose FCS fails.
// Then, the next input, CALL PROCEEDING 4.9 s after the SETUP.
void WriteTraces(const std::string& first, const std::string& second) {
    LapdLink link(0, 0);
    std::string text[2];
    auto add = [&](int input, int side, const std::vector<uint8_t>& body, int ms, bool goodFcs = true) {
        const int index = static_cast<int>(std::count(text[input].begin(), text[input].end(), '['));
        TraceText::AppendRecordText(text[input], callframes::Stamped(FcsFrame(body, side, goodFcs), kNine + ms, index));
    };
    std::vector<uint8_t> info;
    Q931Builder q931;
    add(0, kUser, link.UFrame(kUser, LapdLink::kSABME, true, true), 0);
    add(0, kNetwork, link.UFrame(kNetwork, LapdLink::kUA, false, true), 10);
    q931.Begin(info, 1, 1, false, q931::kSetup);
    q931.ChannelIdentification(3);
    q931.CalledPartyNumber("0312345678");
    add(0, kUser, link.IFrame(kUser, info), 100);
    link.Received(kNetwork, 1);
    add(0, kNetwork, link.SFrame(kNetwork, LapdLink::kRR, false, false, 1), 110);
    add(0, kUser, link.SFrame(kUser, LapdLink::kRR, true, true, 0), 200, false);
    q931.Begin(info, 1, 1, true, q931::kCallProceeding);
    q931.ChannelIdentification(3);
    add(1, kNetwork, link.IFrame(kNetwork, info), 5000);
    ASSERT_TRUE(WriteFile(first, text[0]));
    ASSERT_TRUE(WriteFile(second, text[1]));
}

class VelkdumpChecks : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dir_.Path() + "/program");
        std::filesystem::copy_file(VelksimProcess::Program("velkdump"), program_);
        WriteTraces(first_, second_);
    }
    // The exit status; standard output and error in out_ and err_.
    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), program_);
        const int rc = RunProgram(args, dir_.Path() + "/run.out", dir_.Path() + "/run.err", 30000);
        out_ = ReadFile(dir_.Path() + "/run.out");
        err_ = ReadFile(dir_.Path() + "/run.err");
        return rc;
    }
    TempFolder dir_;
    const std::string program_ = dir_.Path() + "/program/velkdump", ini_ = dir_.Path() + "/program/checks.ini";
    const std::string first_ = dir_.Path() + "/a.vkt", second_ = dir_.Path() + "/b.vkt";
    std::string out_, err_;
};

const std::string kRows = Sjis(
    "INDEX,時刻,重要度,検査,呼番号,内容\r\n"
    "0,09:00:00.000,情報,L2-SABME,,TEXT_SABME\r\n"
    "2,09:00:00.100,エラー,IE-MISSING,1,TEXT_BEARER\r\n"
    "4,09:00:00.200,警告,FCS,,TEXT_FCS\r\n");
const std::string kT303 = Sjis("2,09:00:00.100,警告,T303,1,TEXT_T303\r\n");

}  // namespace

// The first input alone ends before T303 runs out; read with the second as
// one run, the SETUP of the first is seen unanswered.
TEST_F(VelkdumpChecks, FindingsOfOneOrTwoInputsAsCsv) {
    ASSERT_EQ(Run({first_, "--checks"}), 0) << err_;
    EXPECT_EQ(out_, kRows);
    EXPECT_EQ(err_, "");
    const std::string csv = dir_.Path() + "/findings.csv";
    ASSERT_EQ(Run({first_, second_, "--checks", "-o", csv}), 0) << err_;
    EXPECT_EQ(ReadFile(csv), kRows + kT303);
    EXPECT_EQ(out_ + err_, "");
}

// checks.ini's T303 holds; a broken file is said once and the defaults hold.
TEST_F(VelkdumpChecks, TimerValuesOfChecksIni) {
    ASSERT_TRUE(WriteFile(ini_, "T303=6000\r\n"));
    ASSERT_EQ(Run({first_, second_, "--checks"}), 0) << err_;
    EXPECT_EQ(out_ + err_, kRows);
    ASSERT_TRUE(WriteFile(ini_, "T303=6000\r\nT303=6000\r\n"));
    ASSERT_EQ(Run({first_, second_, "--checks"}), 0);
    EXPECT_EQ(out_, kRows + kT303);
    EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;
    EXPECT_NE(err_.find("checks.ini"), std::string::npos) << err_;
}

// A missing input: status 1 and no file; an output that cannot be made: 2;
// --checks with another mode or option of another mode: a usage error.
TEST_F(VelkdumpChecks, FailuresAndBadArguments) {
    const std::string csv = dir_.Path() + "/findings.csv";
    EXPECT_EQ(Run({first_, first_ + "x", "--checks", "-o", csv}), 1);
    EXPECT_FALSE(std::filesystem::exists(csv));
    EXPECT_EQ(Run({first_, "--checks", "-o", first_ + "/x"}), 2);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--checks", "--calls"}, {"--call-stats", "--checks"}, {"--checks", "--pcapng"},
          {"--checks", "--details"}, {"--checks", "--prefix", "03"}, {"--checks", "--checks"}}) {
        std::vector<std::string> run{first_};
        run.insert(run.end(), args.begin(), args.end());
        EXPECT_EQ(Run(run), 2) << args[0] << " " << args[1];
        EXPECT_EQ(out_, "");
    }
    EXPECT_EQ(Run({"--checks", "--capture", "1"}), 2);
}
