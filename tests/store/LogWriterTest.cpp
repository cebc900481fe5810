// Log files: every numbered frame once, in INDEX order, 30000 a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "store/FrameStore.h"
#include "store/FreeSpace.h"
#include "store/LogWriter.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;
using Texts = std::vector<std::string>;

namespace {

// The log lines of frames from..to-1, written out here: frame n is
// 7E 02 01 <n low> <n high> 12 34 7E at 01:02:03.<n % 1000>, RX when n is odd.
std::string Lines(int from, int to) {
    std::string text;
    char line[64];
    for (int n = from; n < to; ++n) {
        std::snprintf(line, sizeof line, "%cX[01:02:03.%03d]0201%02X%02X1234\r\n", n & 1 ? 'R' : 'T', n % 1000, n & 255, n >> 8 & 255);
        text += line;
    }
    return text;
}

// The .log files' contents in name order.
Texts Files(const std::string& folder) {
    Texts contents;
    for (const std::string& name : LogFiles(folder)) contents.push_back(ReadFile(folder + name));
    return contents;
}

// A store with ring buffer and logging on, logging into a private folder;
// its clock moves one second per file.
class Log : public ::testing::Test {
protected:
    Log() {
        store.Logs().SetFolder(folder);
        store.Logs().SetClock([this] { return now++; });
        store.SetModes(true, true);
    }
    void Add(int from, int to) {
        for (int n = from; n < to; ++n) {
            FrameRecord r = RawFrame({0x7E, 0x02, 0x01, uint8_t(n), uint8_t(n >> 8), 0x12, 0x34, 0x7E}, uint8_t(n & 1));
            TimeStamp t;
            t.Set(1, 2, 3, n % 1000);
            r.SetTime(t);
            store.Add(r, true);
        }
    }
    TempFolder dir_;
    const std::string folder = dir_.Slash();
    std::time_t now = 1780000000;
    FrameStore store;
};

}  // namespace

TEST_F(Log, EveryFrameOnceInIndexOrderAcrossFiles) {
    // Written in chunks as the timer would, below the lag limit each time.
    // With no standard input the files get descriptor 0: closed all the same.
    const int input = ::dup(0);
    ::close(0);
    for (int n = 0; n < 65000; n += 900) {
        Add(n, std::min(n + 900, 65000));
        ASSERT_TRUE(store.LogKeepsUp());
        ASSERT_TRUE(store.WriteLog());
        ASSERT_EQ(store.LoggedIndex(), uint32_t(std::min(n + 900, 65000)));
        ASSERT_EQ(::fcntl(0, F_GETFD), -1) << n;
    }
    ::dup2(input, 0);
    ::close(input);
    EXPECT_EQ(Files(folder),
              (Texts{Lines(0, 30000), "INDEX=030000\r\n" + Lines(30000, 60000), "INDEX=060000\r\n" + Lines(60000, 65000)}));
}

TEST_F(Log, LagLimitSwitchesAndRingBufferPositionsPastTheCapacity) {
    Add(0, 999);
    EXPECT_TRUE(store.LogKeepsUp());
    Add(999, 1000);
    EXPECT_FALSE(store.LogKeepsUp());
    ASSERT_TRUE(store.WriteLog());
    store.SetModes(true, false);  // logging switched off: never behind, nothing written
    Add(1000, 30000);
    EXPECT_TRUE(store.LogKeepsUp());
    EXPECT_TRUE(store.WriteLog());
    store.SetModes(true, true);
    Add(30000, 30500);
    ASSERT_TRUE(store.WriteLog());  // INDEX 1000..30499 at positions 500..29999
    Add(30500, 30600);
    store.SetModes(false, true);  // logging needs the ring buffer
    EXPECT_TRUE(store.LogKeepsUp());
    EXPECT_TRUE(store.WriteLog());
    EXPECT_EQ(Files(folder), (Texts{Lines(0, 30000), "INDEX=030000\r\n" + Lines(30000, 30500)}));
}

TEST_F(Log, FailuresAreRetriedInTheSameFileAndARestartKeepsIt) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::string later = folder + "later/";
    store.Logs().SetFolder(later);
    store.Logs().SetClock([] { return std::time_t(1780000000); });  // 2026-05-28 20:26:40
    ASSERT_EQ(mkdir(later.c_str(), 0755), 0);  // a log without its folder: MonitoringSession's failing log test
    Add(0, 200);
    EXPECT_FALSE(WithFileSizeLimit(100, [&] { return store.WriteLog(); }));  // the disk fills part-way
    EXPECT_EQ(Files(later), Texts{""});
    ASSERT_TRUE(store.WriteLog());
    // The file gone while logging: reported, and written once it is back.
    ASSERT_EQ(rename(later.c_str(), (folder + "moved").c_str()), 0);
    Add(200, 210);
    EXPECT_FALSE(store.WriteLog());
    ASSERT_EQ(rename((folder + "moved").c_str(), later.c_str()), 0);
    ASSERT_TRUE(store.WriteLog());
    store.Clear();
    store.SetModes(true, true);
    Add(300, 305);  // numbered 0..4 again, in the same second
    ASSERT_TRUE(store.WriteLog());
    EXPECT_EQ(LogFiles(later), (Texts{"20260528202640.log", "20260528202640_2.log"}));
    EXPECT_EQ(Files(later), (Texts{Lines(0, 210), Lines(300, 305)}));
}

TEST(LogWriter, NoFileWithoutItsHeaderAndNamesOfOneSecondUpToTheLastSuffix) {
    TempFolder dir;
    LogWriter writer;
    writer.SetFolder(dir.Path());
    writer.SetClock([] { return std::time_t(1780000000); });
    std::string path;
    EXPECT_FALSE(WithFileSizeLimit(5, [&] { return writer.CreateFile(30000, path); }));  // the header does not fit
    EXPECT_TRUE(LogFiles(dir.Path()).empty());
    const std::string base = dir.Slash() + LogWriter::DateName(1780000000);
    // The first name and the header: FailuresAreRetriedInTheSameFileAndARestartKeepsIt,
    // EveryFrameOnceInIndexOrderAcrossFiles.
    ASSERT_TRUE(writer.CreateFile(30000, path));
    for (int suffix = 2; suffix < LogWriter::kMaxSuffix; ++suffix)  // links: far quicker than new files
        ASSERT_EQ(link(path.c_str(), (base + "_" + std::to_string(suffix) + ".log").c_str()), 0);
    ASSERT_TRUE(writer.CreateFile(0, path));
    EXPECT_EQ(path, base + "_9999.log");
    EXPECT_FALSE(writer.CreateFile(0, path));
}

TEST(FreeSpace, ReadsTheFolderAndFailsWithMinusOne) {
    EXPECT_GT(FreeSpace::Bytes("/tmp"), 0);
    EXPECT_EQ(FreeSpace::Bytes("/nonexistent-velk-folder"), -1);
}
