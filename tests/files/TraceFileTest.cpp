#include "files/TraceFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "store/TraceText.h"

namespace {

const std::atomic<bool> kGo{false};

FrameRecord Record(uint8_t direction, int h, int m, int s, int ms, std::vector<uint8_t> octets) {
    FrameRecord r(direction);
    TimeStamp t;
    t.Set(h, m, s, ms);
    r.SetTime(t);
    octets.insert(octets.begin(), 0x7E);
    octets.push_back(0x7E);
    r.SetBytes(octets.data(), octets.size());
    return r;
}

// Saves through a real file and returns its bytes.
std::string SaveToString(FrameStore& store) {
    char path[] = "/tmp/velktraceXXXXXX";
    int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    EXPECT_TRUE(TraceFile::SaveText(store, fd, kGo));
    std::string text;
    lseek(fd, 0, SEEK_SET);
    char buf[65536];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) text.append(buf, size_t(n));
    close(fd);
    unlink(path);
    return text;
}

TraceFile::LoadResult Load(FrameStore& store, const std::string& text) {
    return TraceFile::LoadText(store, text, kGo);
}

std::vector<uint8_t> Octets(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(seed + i * 37);
    return v;
}

}  // namespace

TEST(TraceText, RecordTextAndLineSplit) {
    FrameRecord r = Record(FrameRecord::kRx, 1, 2, 3, 4, {0x00, 0x01, 0xAB});
    EXPECT_EQ(TraceText::RecordText(r), "RX[01:02:03.004]0001AB\r\n");
    // 34 octets with flags: 16 + 64 = 80 characters, one line.
    std::string one = TraceText::RecordText(Record(0, 0, 0, 0, 0, Octets(32, 1)));
    EXPECT_EQ(one.size(), 82u);
    EXPECT_EQ(one.substr(80), "\r\n");
    // 35 octets: 82 characters, a line of 80 and one of 2.
    std::string two = TraceText::RecordText(Record(0, 0, 0, 0, 0, Octets(33, 1)));
    ASSERT_EQ(two.size(), 86u);
    EXPECT_EQ(two.substr(80, 2), "\r\n");
    EXPECT_EQ(two.substr(84), "\r\n");
    // No bytes at all: just the head.
    EXPECT_EQ(TraceText::RecordText(FrameRecord()), "TX[00:00:00.000]\r\n");
}

TEST(TraceText, IndexWidths) {
    EXPECT_EQ(TraceText::IndexText(0), "000000");
    EXPECT_EQ(TraceText::IndexText(99999), "099999");
    EXPECT_EQ(TraceText::IndexText(100000), "0000100000");
    EXPECT_EQ(TraceText::HeaderLine(123), "INDEX=000123\r\n");
    EXPECT_EQ(TraceText::HeaderLine(123456), "INDEX=0000123456\r\n");
}

TEST(TraceFile, HeaderOnlyWhenFirstIndexIsNotZero) {
    FrameStore store;
    FrameRecord r = Record(0, 0, 0, 0, 0, {0x02});
    store.Add(r, true);
    EXPECT_EQ(SaveToString(store), "TX[00:00:00.000]02\r\n");
    for (int first : {123, 123456}) {
        FrameStore s;
        r.SetIndex(first);
        s.Add(r, false);
        std::string text = SaveToString(s);
        EXPECT_EQ(text, TraceText::HeaderLine(first) + "TX[00:00:00.000]02\r\n");
    }
    FrameStore empty;
    EXPECT_EQ(SaveToString(empty), "");
}

TEST(TraceFile, RoundTripKeepsEveryField) {
    FrameStore store;
    std::mt19937 rng(7);
    for (int i = 0; i < 500; ++i) {
        std::vector<uint8_t> octets(rng() % 90);
        for (auto& o : octets) o = uint8_t(rng());
        FrameRecord r = Record(uint8_t(rng() % 2), int(rng() % 100), int(rng() % 60),
                               int(rng() % 60), int(rng() % 1000), octets);
        r.SetIndex(4242 + i);
        store.Add(r, false);
    }
    std::string text = SaveToString(store);
    FrameStore loaded;
    ASSERT_EQ(Load(loaded, text), TraceFile::kLoaded);
    ASSERT_EQ(loaded.Count(), store.Count());
    for (size_t i = 0; i < store.Count(); ++i) {
        const FrameRecord& a = store.At(i);
        const FrameRecord& b = loaded.At(i);
        ASSERT_EQ(a.Length(), b.Length()) << i;
        EXPECT_EQ(std::vector<uint8_t>(a.Bytes(), a.Bytes() + a.Length()),
                  std::vector<uint8_t>(b.Bytes(), b.Bytes() + b.Length()));
        EXPECT_EQ(a.Time(), b.Time());
        EXPECT_EQ(a.Direction(), b.Direction());
        EXPECT_EQ(a.Index(), b.Index());
    }
    EXPECT_EQ(SaveToString(loaded), text);
    EXPECT_EQ(loaded.ProgressValue(), 100);
}

TEST(TraceFile, LineBreakRules) {
    std::string hex80(64, 'A');  // fills the first line with the 16-character head
    FrameStore store;
    // Split at 80 with CR LF: one record.
    ASSERT_EQ(Load(store, "TX[00:00:00.000]" + hex80 + "\r\n0102\r\n"), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.At(0).Length(), 2u + 34u);
    // LF alone continues before a hex digit too; CR alone at 80 as well.
    ASSERT_EQ(Load(store, "TX[00:00:00.000]" + hex80 + "\n0102\n"), TraceFile::kLoaded);
    EXPECT_EQ(store.At(0).Length(), 36u);
    ASSERT_EQ(Load(store, "TX[00:00:00.000]" + hex80 + "\r0102"), TraceFile::kLoaded);
    EXPECT_EQ(store.At(0).Length(), 36u);
    // Broken elsewhere: the record ends there; the rest is not a record.
    ASSERT_EQ(Load(store, "TX[00:00:00.000]0102\r\n0304\r\n"), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.At(0).Length(), 4u);
    // Text before, between and after records, and a record after a prefix on its line.
    ASSERT_EQ(Load(store, "; capture of line 3\r\n\r\nRX[10:00:00.500]0A0B\r\nnote\r\n"
                          "xxTX[10:00:01.000]0C\r\n\r\ntrailer"),
              TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 2u);
    EXPECT_TRUE(store.At(0).IsRx());
    EXPECT_EQ(store.At(1).ByteAt(1), 0x0C);
    EXPECT_EQ(store.At(1).Index(), 1);
}

TEST(TraceFile, DropsMalformedRecords) {
    FrameStore store;
    const char* bad[] = {
        "TX[00:00:00.000]0a0b\r\n",      // lower-case hex
        "TX[00:00:00.000]0A0\r\n",       // odd length
        "TX[00:00:00.000]0G\r\n",        // not hex
        "TX[00:60:00.000]00\r\n",        // minutes
        "TX[00:00:60.000]00\r\n",        // seconds
        "TX[ab:00:00.000]00\r\n",        // hours not a number
        "TX[00:00:00.000)00\r\n",        // closing bracket
        "TX[00:00:00,000]00\r\n",        // point
        "TX[00:00:00.00",                // cut short
        "QX[00:00:00.000]00\r\n",        // direction letter
    };
    for (const char* text : bad) {
        ASSERT_EQ(Load(store, text), TraceFile::kLoaded) << text;
        EXPECT_EQ(store.Count(), 0u) << text;
    }
    // A bad record does not consume the index of the next good one.
    ASSERT_EQ(Load(store, "INDEX=000010\r\nTX[00:00:00.000]0a\r\nRX[99:59:59.999]0A\r\n"),
              TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.At(0).Index(), 10);
    EXPECT_EQ(store.At(0).Time().Hours(), 99);
}

TEST(TraceFile, FlagsOnlyRecordAndEmptyFile) {
    FrameStore store;
    ASSERT_EQ(Load(store, ""), TraceFile::kLoaded);
    EXPECT_EQ(store.Count(), 0u);
    ASSERT_EQ(Load(store, "RX[01:02:03.004]\r\n"), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.At(0).Length(), 2u);
    EXPECT_FALSE(store.At(0).CheckCrc());
}

TEST(TraceFile, HeaderNumbers) {
    FrameStore store;
    ASSERT_EQ(Load(store, "INDEX=0000123456\r\nTX[00:00:00.000]00\r\nTX[00:00:00.000]01\r\n"),
              TraceFile::kLoaded);
    EXPECT_EQ(store.At(1).Index(), 123457);
    // A huge number saturates instead of overflowing; what follows still loads.
    ASSERT_EQ(Load(store, "INDEX=99999999999999999999999\r\nTX[00:00:00.000]00\r\n"),
              TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(uint32_t(store.At(0).Index()), 0xFFFFFFFFu);
    // No number at all: numbering starts at 0.
    ASSERT_EQ(Load(store, "INDEX=\r\nTX[00:00:00.000]00\r\n"), TraceFile::kLoaded);
    EXPECT_EQ(store.At(0).Index(), 0);
}

TEST(TraceFile, ZeroByteEndsTheText) {
    FrameStore store;
    std::string text = "TX[00:00:00.000]00\r\n";
    text += '\0';
    text += "TX[00:00:00.000]01\r\n";
    ASSERT_EQ(Load(store, text), TraceFile::kLoaded);
    EXPECT_EQ(store.Count(), 1u);
    // A zero byte inside a record ends that record.
    ASSERT_EQ(Load(store, std::string("TX[00:00:00.000]0A\0B", 21)), TraceFile::kLoaded);
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.At(0).Length(), 3u);
}

TEST(TraceFile, StopsAtTheStoreLimit) {
    std::string text;
    for (int i = 0; i < 30001; ++i) text += "TX[00:00:00.000]0001\r\n";
    FrameStore store;
    store.SetModes(true, false);  // loading clears ring-buffer mode
    EXPECT_EQ(Load(store, text), TraceFile::kStoreFull);
    EXPECT_EQ(store.Count(), 30000u);
    EXPECT_EQ(store.At(29999).Index(), 29999);
}

TEST(TraceFile, CancelStopsBothDirections) {
    FrameStore store;
    std::atomic<bool> cancel{true};
    EXPECT_EQ(TraceFile::LoadText(store, "xTX[00:00:00.000]00\r\n", cancel), TraceFile::kCancelled);
    EXPECT_EQ(store.Count(), 0u);
    FrameRecord r = Record(0, 0, 0, 0, 0, {1});
    store.Add(r, true);
    int fd = open("/dev/null", O_WRONLY);
    EXPECT_FALSE(TraceFile::SaveText(store, fd, cancel));
    EXPECT_EQ(store.ProgressValue(), 100);
    close(fd);
}

TEST(TraceFile, WriteErrorIsAFailure) {
    FrameStore store;
    FrameRecord r = Record(0, 0, 0, 0, 0, Octets(60, 3));
    for (int i = 0; i < 10; ++i) store.Add(r, true);
    int fd = open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(TraceFile::SaveText(store, fd, kGo));
    close(fd);
    EXPECT_FALSE(TraceFile::SaveText(store, -1, kGo));
}

TEST(TraceFile, LoadFileReadsTheWholeFile) {
    char path[] = "/tmp/velktraceXXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::string text = "INDEX=000007\r\nRX[12:00:00.000]0203\r\n";
    ASSERT_EQ(write(fd, text.data(), text.size()), ssize_t(text.size()));
    lseek(fd, 0, SEEK_SET);
    FrameStore store;
    EXPECT_EQ(TraceFile::LoadFile(store, fd, kGo), TraceFile::kLoaded);
    close(fd);
    unlink(path);
    ASSERT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.At(0).Index(), 7);
    EXPECT_EQ(TraceFile::LoadFile(store, -1, kGo), TraceFile::kReadFailed);
}

TEST(TraceFile, RandomBytesNeverCrash) {
    std::mt19937 rng(1234);
    const std::string alphabet = "TRX[]:.0123456789ABCDEFabcdef\r\n\0 INDEX=";
    FrameStore store;
    for (int round = 0; round < 300; ++round) {
        std::string text(rng() % 400, '\0');
        for (auto& c : text)
            c = round % 2 ? char(rng()) : alphabet[rng() % alphabet.size()];
        EXPECT_NE(Load(store, text), TraceFile::kReadFailed);
        for (size_t i = 0; i < store.Count(); ++i) EXPECT_GE(store.At(i).Length(), 2u);
    }
}
