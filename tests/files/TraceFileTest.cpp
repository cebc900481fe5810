// Trace files: the record text in 80-character lines, the header line, what
// the loader accepts and drops, store full, cancel and write errors; the
// name a save proposes.
#include "files/TraceFile.h"

#include <gtest/gtest.h>

#include "files/SaveName.h"
#include "files/TraceStream.h"
#include "store/TraceText.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

const std::atomic<bool> kGo{false};
const std::string kA64(64, 'A');  // with the 16-character head, a full line of 80

// The loaded records, each as its INDEX and its record text (whose format the save cases pin down).
std::string Describe(const FrameStore& store) {
    std::string out;
    for (size_t i = 0; i < store.Count(); ++i) out += "#" + std::to_string(store.At(i).Index()) + TraceText::RecordText(store.At(i));
    return out;
}

// The same from a file read in chunks of the given size.
std::string Streamed(std::string_view text, size_t chunk) {
    ChunkedInput input(text, chunk);
    TraceStream stream(input);
    std::string out;
    for (FrameRecord r; stream.Next(r) == TraceStream::kRecord;) out += "#" + std::to_string(r.Index()) + TraceText::RecordText(r);
    return out;
}

}  // namespace

// Also read in chunks, each case cut at every offset.
TEST(TraceFile, LoadTakesRecordsAnywhereAndDropsMalformedOnes) {
    const std::string t0 = "TX[00:00:00.000]";
    const std::string wrapped = "#0" + t0 + kA64 + "\r\n0102\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"RX[01:02:03.004]\r\n", "#0RX[01:02:03.004]\r\n"},  // no octets: the two flags
        // A line break continues the record at 80 characters (CR LF, LF or CR), or an LF before a hex digit.
        {t0 + kA64 + "\r\n0102\r\n", wrapped},
        {t0 + kA64 + "\n0102\n", wrapped},
        {t0 + kA64 + "\r0102", wrapped},
        {t0 + "01\n02\r\n", "#0" + t0 + "0102\r\n"},
        {t0 + "0102\r\n0304\r\n", "#0" + t0 + "0102\r\n"},  // broken elsewhere: the record ends
        {t0 + kA64 + "\nxy", "#0" + t0 + kA64 + "\r\n"},
        {"; line 3\r\n\r\nRX[10:00:00.500]0A0B\r\nnote\r\nxxTX[10:00:01.000]0C\r\n\r\ntrailer",
         "#0RX[10:00:00.500]0A0B\r\n#1TX[10:00:01.000]0C\r\n"},
        // Dropped: lower-case or odd hex, not hex, a bad time, separators out of place, a bad direction.
        {t0 + "0a0b\r\n", ""}, {t0 + "0A0\r\n", ""}, {t0 + "0G\r\n", ""}, {"TX[00:60:00.000]00\r\n", ""},
        {"TX[00:00:60.000]00\r\n", ""}, {"TX[ab:00:00.000]00\r\n", ""}, {"TX[00:00:00.000)00\r\n", ""},
        {"TX[00:00:00,000]00\r\n", ""}, {"TX[00:00:00.00", ""}, {"QX[00:00:00.000]00\r\n", ""},
        // Header numbers: a dropped record takes none; a huge one saturates; none at all is 0.
        {"INDEX=000010\r\n" + t0 + "0a\r\nRX[99:59:59.999]0A\r\n", "#10RX[99:59:59.999]0A\r\n"},
        {"INDEX=0000123456\r\n" + t0 + "00\r\n" + t0 + "01\r\n", "#123456" + t0 + "00\r\n#123457" + t0 + "01\r\n"},
        {"INDEX=99999999999999999999999\r\n" + t0 + "00\r\n", "#-1" + t0 + "00\r\n"},
        {"INDEX=\r\n" + t0 + "00\r\n", "#0" + t0 + "00\r\n"},
        {"INDEX= -2\r\n" + t0 + "00\r\n", "#-2" + t0 + "00\r\n"}, {"INDEX=\t+7\r\n" + t0 + "00\r\n", "#7" + t0 + "00\r\n"},
        // A zero byte ends the text.
        {t0 + "00\r\n" + std::string(1, '\0') + t0 + "01\r\n", "#0" + t0 + "00\r\n"},
        {t0 + "0A" + std::string(1, '\0') + "B", "#0" + t0 + "0A\r\n"},
    };
    for (const auto& [text, expected] : cases) {
        FrameStore store;
        EXPECT_EQ(TraceFile::LoadText(store, text, kGo), TraceFile::kLoaded) << text;
        EXPECT_EQ(Describe(store), expected) << text;
        for (size_t chunk = 1; chunk <= text.size(); ++chunk) EXPECT_EQ(Streamed(text, chunk), expected) << chunk << text;
    }
}

TEST(TraceFile, SaveWritesAHeaderOnlyForAFirstIndexOtherThanZeroAndLinesOf80) {
    EXPECT_EQ(TraceText::RecordText(FrameRecord()), "TX[00:00:00.000]\r\n");
    EXPECT_EQ(TraceText::IndexText(99999) + TraceText::IndexText(100000), "0999990000100000");
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"INDEX=000000\r\nTX[00:00:00.000]02\r\n", "TX[00:00:00.000]02\r\n"},
        {"INDEX=000123\r\nRX[99:59:59.999]0203\r\nTX[00:00:00.000]\r\n",
         "INDEX=000123\r\nRX[99:59:59.999]0203\r\nTX[00:00:00.000]\r\n"},
        {"TX[01:02:03.004]" + kA64 + "\r\n", "TX[01:02:03.004]" + kA64 + "\r\n"},  // 34 octets: one line
        {"INDEX=0000123456\r\nTX[01:02:03.004]" + kA64 + "01\r\n", "INDEX=0000123456\r\nTX[01:02:03.004]" + kA64 + "\r\n01\r\n"},
    };
    for (const auto& [text, expected] : cases) {
        FrameStore store;
        bool saved = false;
        ASSERT_EQ(TraceFile::LoadText(store, text, kGo), TraceFile::kLoaded);
        EXPECT_EQ(Written([&](int fd) { return TraceFile::SaveText(store, fd, kGo); }, saved), expected) << text;
        EXPECT_TRUE(saved);
    }
}

TEST(TraceFile, StoreFullCancelAndWriteErrors) {
    std::string text;
    for (int i = 0; i < 30001; ++i) text += "TX[00:00:00.000]0001\r\n";
    FrameStore store;
    store.SetModes(true, false);  // loading clears ring-buffer mode
    EXPECT_EQ(TraceFile::LoadText(store, text, kGo), TraceFile::kStoreFull);
    EXPECT_EQ(std::tuple(store.Count(), store.At(29999).Index()), std::tuple(30000u, 29999));
    bool ok = false;  // saved whole, far past the writer's buffer
    const std::string saved = Written([&](int fd) { return TraceFile::SaveText(store, fd, kGo); }, ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(saved == text.substr(0, 30000 * 22));
    EXPECT_FALSE(WithFileSizeLimit(100000, [&] { Written([&](int fd) { return TraceFile::SaveText(store, fd, kGo); }, ok); return ok; }));

    const std::atomic<bool> cancel{true};
    Written([&](int fd) { return TraceFile::SaveText(store, fd, cancel); }, ok);
    EXPECT_EQ(std::tuple(ok, store.ProgressValue()), std::tuple(false, 100));
    EXPECT_EQ(TraceFile::LoadText(store, "xTX[00:00:00.000]00\r\n", cancel), TraceFile::kCancelled);
    EXPECT_EQ(store.Count(), 0u);

    EXPECT_EQ(TraceFile::LoadFile(store, -1, kGo), TraceFile::kReadFailed);  // velkdump's tests read real files
}

TEST(SaveName, TheLocalDateAndTimeOnlyWhenNamesAreToBeUnique) {
    std::tm local{};
    local.tm_year = 126, local.tm_mon = 4, local.tm_mday = 28, local.tm_hour = 20, local.tm_min = 6, local.tm_sec = 4;
    local.tm_isdst = -1;
    const std::time_t now = std::mktime(&local);
    EXPECT_EQ(SaveName::Proposed(true, now), "20260528200604");
    EXPECT_EQ(SaveName::Proposed(false, now), "");
}
