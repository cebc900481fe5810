#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/FrameStore.h"
#include "store/FreeSpace.h"
#include "store/LogWriter.h"
#include "store/TraceText.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

FrameRecord NumberedFrame(int n) {
    FrameRecord r(static_cast<uint8_t>(n & 1));
    const uint8_t bytes[] = {0x7E, 0x02, 0x01, static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                             0x12, 0x34, 0x7E};
    r.SetBytes(bytes, sizeof bytes);
    TimeStamp t;
    t.Set(1, 2, 3, n % 1000);
    r.SetTime(t);
    return r;
}

// A store logging into folder, whose clock moves one second per file.
struct LoggingStore {
    FrameStore store;
    std::time_t now = 1780000000;
    explicit LoggingStore(const std::string& folder, bool ring = true, bool log = true) {
        store.Logs().SetFolder(folder);
        store.Logs().SetClock([this] { return now++; });
        store.SetModes(ring, log);
    }
    std::string Add(int from, int count) {
        std::string text;
        for (int n = from; n < from + count; ++n) {
            FrameRecord r = NumberedFrame(n);
            store.Add(r, true);
            TraceText::AppendRecordText(text, r);
        }
        return text;
    }
};

// Each test in a private folder of its own.
class InFolder : public ::testing::Test {
    TempFolder dir_;

protected:
    const std::string folder = dir_.Slash();
};
using FrameStoreLog = InFolder;
using LogWriterFolder = InFolder;

}  // namespace

TEST(LogWriter, NamesFilesByLocalDateAndTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    // 2026-12-05 14:30:07 UTC.
    EXPECT_EQ(LogWriter::DateName(1796481007), "20261205143007");
}

TEST_F(LogWriterFolder, NeverEmptiesAnExistingFileOfTheSameSecond) {
    LogWriter w;
    w.SetFolder(folder);
    w.SetClock([] { return std::time_t(1780000000); });
    std::string first, second, third;
    ASSERT_TRUE(w.CreateFile(0, first));
    { std::ofstream(first, std::ios::app) << "TX[00:00:00.000]0201\r\n"; }
    ASSERT_TRUE(w.CreateFile(30000, second));
    ASSERT_TRUE(w.CreateFile(0, third));
    const std::string base = folder + LogWriter::DateName(1780000000);
    EXPECT_EQ(first, base + ".log");
    EXPECT_EQ(second, base + "_2.log");
    EXPECT_EQ(third, base + "_3.log");
    EXPECT_EQ(ReadFile(first), "TX[00:00:00.000]0201\r\n");
    EXPECT_EQ(ReadFile(second), "INDEX=030000\r\n");
    EXPECT_EQ(ReadFile(third), "");
}

TEST(LogWriter, CannotCreateInAMissingFolder) {
    LogWriter w;
    w.SetFolder("/nonexistent-velk-folder");
    std::string path;
    EXPECT_FALSE(w.CreateFile(0, path));
}

TEST_F(FrameStoreLog, EveryFrameOnceInIndexOrderAcrossFiles) {
    LoggingStore s(folder);
    std::string expected[3];
    // Written in chunks as the timer would, below the lag limit each time.
    for (int n = 0; n < 65000; n += 900) {
        const int count = std::min(900, 65000 - n);
        for (int k = n; k < n + count; ++k) {
            std::string one = s.Add(k, 1);
            expected[k / 30000] += one;
        }
        ASSERT_TRUE(s.store.LogKeepsUp());
        ASSERT_TRUE(s.store.WriteLog());
        ASSERT_EQ(s.store.LoggedIndex(), static_cast<uint32_t>(n + count));
    }
    auto names = LogFiles(folder);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(ReadFile(folder + names[0]), expected[0]);
    EXPECT_EQ(ReadFile(folder + names[1]), "INDEX=030000\r\n" + expected[1]);
    EXPECT_EQ(ReadFile(folder + names[2]), "INDEX=060000\r\n" + expected[2]);
    EXPECT_EQ(s.store.Count(), FrameStore::kCapacity);
}

TEST_F(FrameStoreLog, FindsRingBufferPositionsPastTheCapacity) {
    LoggingStore s(folder, true, false);
    s.Add(0, 30000);
    s.store.SetModes(true, true);
    std::string tail = s.Add(30000, 500);
    ASSERT_FALSE(s.store.LogKeepsUp());  // 30500 behind
    ASSERT_TRUE(s.store.WriteLog());
    auto names = LogFiles(folder);
    ASSERT_EQ(names.size(), 2u);
    // Records 0..499 have left the ring; the rest are found at their
    // positions, so the file from 30000 holds exactly the new ones.
    EXPECT_EQ(ReadFile(folder + names[1]), "INDEX=030000\r\n" + tail);
    EXPECT_EQ(s.store.LoggedIndex(), 30500u);
}

TEST_F(FrameStoreLog, LagLimitAndSwitches) {
    {
        LoggingStore s(folder);
        s.Add(0, 999);
        EXPECT_TRUE(s.store.LogKeepsUp());
        s.Add(999, 1);
        EXPECT_FALSE(s.store.LogKeepsUp());
        s.store.SetModes(true, false);  // logging forced off: never behind
        EXPECT_TRUE(s.store.LogKeepsUp());
        EXPECT_TRUE(s.store.WriteLog());
        EXPECT_TRUE(LogFiles(folder).empty());
    }
    {
        LoggingStore s(folder, false, true);  // logging needs the ring buffer
        s.Add(0, 2000);
        EXPECT_TRUE(s.store.LogKeepsUp());
        s.store.WriteLog();
        EXPECT_TRUE(LogFiles(folder).empty());
        EXPECT_EQ(s.store.LoggedIndex(), 0u);
    }
}

TEST_F(FrameStoreLog, ARestartedRunStartsANewFileAndKeepsTheOld) {
    LoggingStore s(folder);
    s.store.Logs().SetClock([] { return std::time_t(1780000000); });  // same second
    std::string run1 = s.Add(0, 10);
    ASSERT_TRUE(s.store.WriteLog());
    s.store.Clear();
    s.store.SetModes(true, true);
    std::string run2 = s.Add(100, 5);
    ASSERT_TRUE(s.store.WriteLog());
    auto names = LogFiles(folder);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(ReadFile(folder + names[0]), run1);
    EXPECT_EQ(ReadFile(folder + names[1]), run2);
}

TEST_F(FrameStoreLog, AFailedCreateIsRetriedWithoutLoss) {
    LoggingStore s(folder + "later/");
    std::string all = s.Add(0, 20);
    EXPECT_FALSE(s.store.WriteLog());
    EXPECT_EQ(s.store.LoggedIndex(), 0u);
    ASSERT_EQ(mkdir((folder + "later").c_str(), 0755), 0);
    EXPECT_TRUE(s.store.WriteLog());
    auto names = LogFiles(folder + "later/");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ReadFile(folder + "later/" + names[0]), all);
}

TEST_F(FrameStoreLog, AWriteErrorDoesNotAdvanceAndIsNotWrittenTwice) {
    LoggingStore s(folder);
    std::string first = s.Add(0, 10);
    ASSERT_TRUE(s.store.WriteLog());
    std::string more = s.Add(10, 200);
    // A file size limit makes the next write fail part-way.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = first.size() + 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = s.store.WriteLog();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(s.store.LoggedIndex(), 10u);
    auto names = LogFiles(folder);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ReadFile(folder + names[0]), first);
    ASSERT_TRUE(s.store.WriteLog());
    EXPECT_EQ(ReadFile(folder + names[0]), first + more);
}

TEST(FreeSpace, ReadsTheFolderAndFailsWithMinusOne) {
    EXPECT_GT(FreeSpace::Bytes("/tmp"), 0);
    EXPECT_EQ(FreeSpace::Bytes("/nonexistent-velk-folder"), -1);
    EXPECT_EQ(FreeSpace::Bytes(""), -1);
}
