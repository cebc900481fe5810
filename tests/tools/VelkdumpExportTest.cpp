// velkdump FILE as a user runs it: the real executable, once from the build's
// program folder (shipped HDLC.msg, whatever velk.opt is there) and once
// copied into a private folder with a velk.opt and HDLC.msg of the test's own.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "decode/MessageCatalogue.h"
#include "decode/RowText.h"
#include "detail/DetailEntrySource.h"
#include "files/ListExport.h"
#include "files/TraceFile.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "base/ProgramFolder.h"
#include "tests/support/VelksimProcess.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace testsupport;

// SABME, UA, a SETUP with bearer capability, and a frame with a damaged FCS.
const std::string kTrace =
    "INDEX=000010\r\n"
    "TX[01:02:03.004]00017F6454\r\n"
    "RX[01:02:03.050]020173B02B\r\n"
    "TX[01:02:04.100]0001000008010105040380 90A364B5\r\n"
    "RX[23:59:59.999]02010102BEA6\r\n";

std::string TraceText() {
    std::string t = kTrace;
    t.erase(t.find(' '), 1);  // the space only keeps the line readable here
    return t;
}

struct Outcome {
    int rc = -1;
    std::string out;
    std::string err;
};

class VelkdumpExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.Path().empty());
        trace_ = folder_.Path() + "/calls.vkt";
        ASSERT_TRUE(WriteFile(trace_, TraceText()));
    }

    Outcome Velkdump(const std::string& program, const std::vector<std::string>& args) {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        Outcome r;
        const std::string out = folder_.Path() + "/run.out", err = folder_.Path() + "/run.err";
        r.rc = RunProgram(argv, out, err, 30000);
        r.out = ReadFile(out);
        r.err = ReadFile(err);
        return r;
    }

    // velkdump copied into a folder of its own, with the given display
    // options in its velk.opt and a catalogue that names SAPI 0.
    std::string PrivateVelkdump(const DisplayOptions& options) {
        std::string dir = folder_.Path() + "/program";
        std::filesystem::create_directories(dir);
        std::string program = dir + "/velkdump";
        if (!std::filesystem::exists(program)) {
            std::filesystem::copy_file(VelksimProcess::Program("velkdump"), program);
            ::chmod(program.c_str(), 0755);
            WriteFile(dir + "/HDLC.msg", Sjis("AF_SAPI:\n0x00=\"呼制御\"\n"));
        }
        OptionData file(dir + "/velk.opt", OptionData::kReadOnly);
        file.SetDisplayOptions(options);
        EXPECT_TRUE(file.Save());
        return program;
    }

    static DisplayOptions Options(std::initializer_list<int32_t> ids, int8_t split, bool detail) {
        DisplayOptions o = Columns(ids, split);
        o.exportDetail = detail ? 1 : 0;
        return o;
    }

    TempFolder folder_;
    std::string trace_;
};

}  // namespace

TEST_F(VelkdumpExport, RowsWithTheShippedCatalogueAndTheProgramsOptions) {
    Outcome r = Velkdump(VelksimProcess::Program("velkdump"), {trace_, "--no-details"});
    ASSERT_EQ(r.rc, 0) << r.err;

    // The same rows built here from the files beside the program.
    std::string bin = ProgramFolder::Path();
    MessageCatalogue catalogue;
    ASSERT_TRUE(catalogue.LoadFile(bin + "/HDLC.msg"));
    DisplayOptions options;
    OptionData(bin + "/velk.opt", OptionData::kReadOnly).GetDisplayOptions(options);
    FrameStore store;
    std::atomic<bool> cancel{false};
    ASSERT_EQ(TraceFile::LoadText(store, TraceText(), cancel), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 4u);
    std::string expected;
    for (size_t i = 0; i < store.Count(); ++i) {
        FrameRecord& record = store.At(i);
        std::string row;
        RowText::BuildRowText(record, row, options, record.CheckCrc(), catalogue);
        std::string indent = record.IsRx() ? "\t" : "";
        size_t from = 0;
        for (size_t lf; (lf = row.find('\n', from)) != std::string::npos; from = lf + 1)
            expected += indent + row.substr(from, lf - from) + "\r\n";
        expected += indent + row.substr(from) + "\r\n";
    }
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");
}

TEST_F(VelkdumpExport, HandWrittenRowsOfIndexTimeAndData) {
    std::string program = PrivateVelkdump(Options({2, 6, 13, 8}, 8, true));
    Outcome r = Velkdump(program, {trace_, "--no-details"});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out,
              "INDEX=000010 TIME=01:02:03.004 \r\n"
              "7E 00 01 7F 64 54 7E \r\n"
              "\tINDEX=000011 TIME=01:02:03.050 \r\n"
              "\t7E 02 01 73 B0 2B 7E \r\n"
              "INDEX=000012 TIME=01:02:04.100 \r\n"
              "7E 00 01 00 00 08 01 01 \r\n"
              "05 04 03 80 90 A3 64 B5 \r\n"
              "7E \r\n"
              "\tINDEX=000013 TIME=23:59:59.999 \r\n"
              "\t7E 02 01 01 02 BE A6 7E \r\n");
}

TEST_F(VelkdumpExport, OptionsAndNamesComeFromBesideTheProgram) {
    std::string program = PrivateVelkdump(Options({3, 2}, 0, false));
    Outcome r = Velkdump(program, {trace_});
    ASSERT_EQ(r.rc, 0) << r.err;
    std::string sapi = Sjis("SAPI=呼制御 ");
    // The damaged frame shows no SAPI.
    EXPECT_EQ(r.out, sapi + "INDEX=000010 \r\n\t" + sapi + "INDEX=000011 \r\n" + sapi +
                         "INDEX=000012 \r\n\tINDEX=000013 \r\n");
}

TEST_F(VelkdumpExport, DetailsComeFromTheDetailDecoder) {
    // On in velk.opt (icons, titles and indent as the defaults have them).
    std::string program = PrivateVelkdump(Options({2}, 0, true));
    Outcome r = Velkdump(program, {trace_});
    ASSERT_EQ(r.rc, 0) << r.err;

    // The SABME's block, by hand: separators, row, the opening flag, the
    // address title and the address octet with both "=" turned into TABs.
    const std::string equals(79, '='), dashes(79, '-');
    const std::string sabmeStart = equals + "\r\n" + "INDEX=000010 \r\n" + dashes + "\r\n" +
                                   "Flag\t7E\t01111110\tHDLC flag\r\n" +
                                   Sjis("\t＜＜アドレスフィールド＞＞\r\n") +
                                   Sjis("AF+00\t00\t000000xx\tSAPI\t\t\t呼制御\r\n") +
                                   "\t\txxxxxx0x\tC/R\t\t\t0x00\r\n";
    EXPECT_EQ(r.out.substr(0, sabmeStart.size()), sabmeStart);

    // The whole output is what the export core writes for the same store,
    // options and catalogue: byte for byte what the main window saves.
    MessageCatalogue catalogue;
    catalogue.LoadText(Sjis("AF_SAPI:\n0x00=\"呼制御\"\n"));
    FrameStore store;
    std::atomic<bool> cancel{false};
    ASSERT_EQ(TraceFile::LoadText(store, TraceText(), cancel), TraceFile::kLoaded);
    DetailEntrySource details(catalogue);
    std::string expectedPath = folder_.Path() + "/expected.txt";
    int fd = ::open(expectedPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(ListExport::ExportList(store, Options({2}, 0, true), catalogue, details, fd));
    ::close(fd);
    EXPECT_EQ(r.out, ReadFile(expectedPath));
    // Every frame has its block, the damaged one too.
    size_t blocks = 0;
    for (size_t at = 0; (at = r.out.find(equals + "\r\n", at)) != std::string::npos; ++at) ++blocks;
    EXPECT_EQ(blocks, 4u);

    // --no-details over a velk.opt with details on gives the rows only.
    r = Velkdump(program, {"--no-details", trace_});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out, "INDEX=000010 \r\n\tINDEX=000011 \r\nINDEX=000012 \r\n\tINDEX=000013 \r\n");
}

TEST_F(VelkdumpExport, OutputFileWithDashO) {
    std::string program = PrivateVelkdump(Options({2}, 0, false));
    std::string out = folder_.Path() + "/list.txt";
    WriteFile(out, "old contents that are longer than the export itself\r\n");
    Outcome r = Velkdump(program, {trace_, "-o", out});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(out),
              "INDEX=000010 \r\n\tINDEX=000011 \r\nINDEX=000012 \r\n\tINDEX=000013 \r\n");
}

TEST_F(VelkdumpExport, FailuresGiveTheirExitStatusAndMessage) {
    const std::string missing = folder_.Path() + "/missing.vkt", big = folder_.Path() + "/big.vkt";
    std::string frames;
    for (size_t i = 0; i <= FrameStore::kCapacity; ++i) frames += "TX[01:02:03.004]00017F6454\r\n";
    ASSERT_TRUE(WriteFile(big, frames));
    struct Case {
        std::vector<std::string> args;
        int rc;
        std::string err;
    };
    const Case cases[] = {
        {{missing, "--no-details"}, 1, "velkdump: cannot open " + missing},
        {{folder_.Path(), "--no-details"}, 1, "velkdump: cannot read"},  // opens but does not read
        {{big, "--no-details"}, 1, "more than 30000 frames"},
        {{trace_, "--no-details", "-o", folder_.Path() + "/no/such/dir"}, 2, "velkdump: cannot create"},
        {{trace_, "--no-details", "-o", "/dev/full"}, 2, "velkdump: write error"},
        {{trace_, "--details", "--no-details"}, 2, "usage: velkdump FILE"},
        {{trace_, "--capture", "3"}, 2, "usage: velkdump FILE"},
        {{trace_, trace_}, 2, "usage: velkdump FILE"},
    };
    for (const Case& c : cases) {
        Outcome r = Velkdump(VelksimProcess::Program("velkdump"), c.args);
        EXPECT_EQ(r.rc, c.rc) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.err;
    }
}
