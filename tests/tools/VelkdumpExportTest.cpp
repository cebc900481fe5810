// velkdump as a whole program: arguments, exit status, -o, and the velk.opt
// and HDLC.msg beside it (a copy of the executable in a private folder).
#include <gtest/gtest.h>

#include <tuple>

#include "files/DetailEntrySource.h"
#include "files/ListExport.h"
#include "files/TraceFile.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VelksimProcess.h"
#include "tools/PcapngCommand.h"

using namespace testsupport;

namespace {

// SABME, UA, a SETUP with bearer capability, and a frame with a damaged FCS.
const std::string kTrace =
    "INDEX=000010\r\nTX[01:02:03.004]00017F6454\r\nRX[01:02:03.050]020173B02B\r\n"
    "TX[01:02:04.100]000100000801010504038090A364B5\r\nRX[23:59:59.999]02010102BEA6\r\n";
const std::string kNames = "AF_SAPI:\n0x00=\"呼制御\"\n";

class Velkdump : public ::testing::Test {
protected:
    // Beside the copy: names for SAPI 0, and the SAPI and INDEX columns with details on.
    void SetUp() override {
        std::filesystem::create_directory(dir_.Path() + "/program");
        std::filesystem::copy_file(VelksimProcess::Program("velkdump"), program_);
        options_.exportDetail = 1;
        OptionData file(dir_.Path() + "/program/velk.opt", OptionData::kReadOnly);
        file.SetDisplayOptions(options_);
        ASSERT_TRUE(file.Save());
        ASSERT_TRUE(WriteFile(dir_.Path() + "/program/HDLC.msg", Sjis(kNames)));
        ASSERT_TRUE(WriteFile(trace_, kTrace));
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
    const std::string trace_ = dir_.Path() + "/calls.vkt", program_ = dir_.Path() + "/program/velkdump";
    DisplayOptions options_ = Columns({3, 2});
    std::string out_, err_;
};

}  // namespace

TEST_F(Velkdump, ExportsWithTheOptionsAndNamesBesideIt) {
    // Byte for byte what the export core writes for the same store, options and names.
    const std::string list = dir_.Path() + "/list.txt";
    ASSERT_TRUE(WriteFile(list, std::string(100000, 'x')));  // longer old contents go
    ASSERT_EQ(Run({trace_, "-o", list}), 0) << err_;
    EXPECT_EQ(out_ + err_, "");
    const MessageCatalogue names = Catalogue(kNames);
    FrameStore store;
    ASSERT_EQ(TraceFile::LoadText(store, kTrace, std::atomic<bool>{false}), TraceFile::kLoaded);
    DetailEntrySource details(names);
    bool ok = false;
    EXPECT_EQ(ReadFile(list), Written([&](int fd) { return ListExport::ExportList(store, options_, names, details, fd); }, ok));
    // --no-details overrides velk.opt; the damaged frame shows no SAPI.
    ASSERT_EQ(Run({"--no-details", trace_}), 0) << err_;
    const std::string sapi = Sjis("SAPI=呼制御 ");
    EXPECT_EQ(out_, sapi + "INDEX=000010 \r\n\t" + sapi + "INDEX=000011 \r\n" + sapi + "INDEX=000012 \r\n\tINDEX=000013 \r\n");
}

TEST_F(Velkdump, FailuresGiveTheirExitStatusAndMessage) {
    const std::string usage = "usage: velkdump FILE";
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{trace_ + "x"}, 1, "velkdump: cannot open " + trace_ + "x"},
        {{dir_.Path()}, 1, "velkdump: cannot read"},  // opens but does not read
        {{"--capture", "63"}, 1, "指定のＣＯＭポートをオープン出来ません。"},  // no such port
        {{trace_, "-o", dir_.Path() + "/no/such/dir"}, 2, "velkdump: cannot create"},
        {{trace_, "--pcapng", "--date", "2026-12-06", "-o", dir_.Path() + "/no/such/dir"}, 2, "velkdump: cannot create"},
        {{trace_, "-o", "/dev/full"}, 2, "velkdump: write error"},
        {{trace_, "--details", "--no-details"}, 2, usage}, {{trace_, "--capture", "3"}, 2, usage},
        {{"--capture", "0"}, 2, usage}, {{"--capture", "+3"}, 2, usage},
        {{trace_, "-o", ""}, 2, usage}, {{}, 2, usage},
        {{trace_, "--to-trace", "--details"}, 2, usage}, {{trace_, "--pcapng", "--no-details"}, 2, usage},
        {{trace_, "--calls", "--details"}, 2, usage},
        {{trace_ + "x", "--pcapng"}, 2, "velkdump: no date for " + trace_ + "x"},
        {{trace_, "--pcapng", "--date", "2026-12/06"}, 2, "velkdump: --date wants YYYY-MM-DD, not 2026-12/06"},
        {{trace_, "--pcapng", "--date", "2026-02-29"}, 2, "velkdump: --date wants YYYY-MM-DD, not 2026-02-29"},
    };
    for (const auto& [args, rc, err] : cases) {
        EXPECT_EQ(Run(args), rc) << err;
        EXPECT_NE(err_.find(err), std::string::npos) << err_;
        EXPECT_EQ(out_, "") << err;
    }
}

TEST_F(Velkdump, HelpAndVersionGoToStandardOutput) {
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(out_ + err_, std::string("velkdump ") + VELK_VERSION + "\n");
    EXPECT_EQ(Run({trace_, "--help"}), 0);
    EXPECT_EQ(out_.rfind("usage: velkdump FILE... [-o OUT]", 0), 0u) << out_;
    EXPECT_EQ(err_, "");
}

// The date a pcapng file takes from a dated log file's name, and names that give none.
TEST(PcapngCommand, DatesOfLogFileNames) {
    const std::pair<const char*, bool> names[] = {
        {"/x/20261206123456.log", true}, {"20261206123456_12.log", true}, {"20261206123456_.log", false},
        {"20261206123456x1.log", false}, {"20261206123456.vkt", false}, {"2026120612345.log", false},
        {"20261206123a56.log", false}, {"20261206123456_123456789012.log", true}};
    int year = 0, month = 0, day = 0;  // each date is read whatever they held before
    for (auto [path, dated] : names) {
        EXPECT_EQ(PcapngCommand::DateOfLogName(path, year, month, day), dated) << path;
        if (dated) EXPECT_EQ(std::tuple(year, month, day), std::tuple(2026, 12, 6)) << path;
    }
}
