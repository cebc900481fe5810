#include "files/TraceFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "base/FileIo.h"
#include "base/Hex.h"
#include "files/FdWriter.h"
#include "store/TraceText.h"

namespace {

// The number after "INDEX=", read as scanf's "%u" does on the 32-bit
// platform the format comes from: blanks skipped, an optional sign, a value
// too large for 32 bits saturates.
uint32_t ReadHeaderNumber(std::string_view text, size_t pos) {
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    uint64_t value = 0;
    bool saturated = false;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + static_cast<uint64_t>(text[pos] - '0');
        if (value > UINT32_MAX) saturated = true;
        if (saturated) value = UINT32_MAX;
    }
    if (saturated) return UINT32_MAX;
    uint32_t v = static_cast<uint32_t>(value);
    return negative ? 0u - v : v;
}

// "TX[hh:mm:ss.mmm]" (or "RX[") with X at p: the separators must stand in place.
bool IsRecordStart(std::string_view text, size_t p) {
    auto at = [&](size_t i, char c) { return i < text.size() && text[i] == c; };
    return at(p, 'X') && at(p + 1, '[') && (text[p - 1] == 'T' || text[p - 1] == 'R') &&
           at(p + 4, ':') && at(p + 7, ':') && at(p + 10, '.') && at(p + 14, ']');
}

// Collects the record text that starts at `start`, dropping the line breaks
// of its 80-character lines. Stops early, with false, at the first character
// that makes the text unacceptable anyway (not upper-case hex after the time
// stamp), so no input makes the scan quadratic.
bool CollectRecord(std::string_view text, size_t start, std::string& out) {
    constexpr size_t kHexStart = 16;
    out.clear();
    size_t lineCount = 0;
    for (size_t q = start; q < text.size(); ++q) {
        // A run of the line's characters in one piece: what is left of the
        // time stamp part, then upper-case digits up to the line break.
        const size_t run = q;
        const size_t head = out.size() < kHexStart ? kHexStart - out.size() : 0;
        while (q < text.size() && q - run < head && text[q] != '\r' && text[q] != '\n') ++q;
        if (q - run == head) {
            while (q < text.size() && Hex::IsUpperDigit(text[q])) ++q;
            if (q < text.size() && text[q] != '\r' && text[q] != '\n') return false;
        }
        out.append(text.substr(run, q - run));
        lineCount += q - run;
        if (q == text.size()) break;
        if (text[q] == '\r') {
            if (lineCount % TraceText::kLineLength != 0) break;
        } else if (q + 1 >= text.size() || Hex::Value(text[q + 1]) < 0) {
            break;
        }
        lineCount = 0;
    }
    return true;
}

// Even length, hex after the time stamp (checked while collecting) and a
// time stamp that reads correctly.
bool ReadRecordTime(const std::string& recordText, TimeStamp& time) {
    if (recordText.size() % 2 != 0 || recordText.size() < 16 || recordText[8] != ':') return false;
    return time.Parse(std::string_view(recordText).substr(2, 14));
}

// The whole open file; false when it cannot be read.
bool ReadWhole(int fd, std::string& text) {
    struct stat st;
    if (fstat(fd, &st) != 0 || st.st_size < 0) return false;
    try {
        text.resize(static_cast<size_t>(st.st_size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t done = 0;
    if (!FileIo::ReadAll(fd, text.data(), text.size(), done)) return false;
    text.resize(done);  // the file shrank meanwhile: load what is there
    return true;
}

}  // namespace

bool TraceFile::SaveText(FrameStore& store, int fd, const std::atomic<bool>& cancel) {
    auto& progress = store.Progress();
    progress = 0;
    bool ok = true;
    try {
        FdWriter writer(fd);
        size_t count = store.Count();
        if (count > 0 && store.At(0).Index() != 0)
            writer.Buffer() += TraceText::HeaderLine(store.At(0).Index());
        double step = count > 0 ? 100.0 / static_cast<double>(count) : 0.0;
        for (size_t i = 0; i < count && ok; ++i) {
            if (cancel.load(std::memory_order_relaxed)) {
                ok = false;
                break;
            }
            TraceText::AppendRecordText(writer.Buffer(), store.At(i));
            ok = writer.FlushIfFull();
            progress = static_cast<int>(static_cast<double>(i) * step);
        }
        if (ok) ok = writer.Flush();
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    progress = 100;
    return ok;
}

TraceFile::LoadResult TraceFile::LoadText(FrameStore& store, std::string_view text,
                                          const std::atomic<bool>& cancel) {
    store.Progress() = 0;
    store.Clear();
    return ScanText(text, cancel, store.Progress(), [&store](FrameRecord&& record) {
        return store.Take(std::move(record), false) != FrameStore::kRefused;
    });
}

TraceFile::LoadResult TraceFile::ScanText(std::string_view text, const std::atomic<bool>& cancel,
                                          std::atomic<int>& progress, const Taker& take) {
    progress = 0;
    size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);

    uint32_t nextIndex = 0;
    if (text.substr(0, 6) == "INDEX=") nextIndex = ReadHeaderNumber(text, 6);

    try {
        std::string recordText;
        std::vector<uint8_t> frame;
        double step = text.empty() ? 0.0 : 100.0 / static_cast<double>(text.size());
        for (size_t p = 1; p < text.size(); ++p) {
            // Every record start has its "X" here: skip to the next one.
            p = text.find('X', p);
            if (p == std::string_view::npos) break;
            if (cancel.load(std::memory_order_relaxed)) return kCancelled;
            progress.store(static_cast<int>(static_cast<double>(p) * step),
                           std::memory_order_relaxed);
            if (!IsRecordStart(text, p)) continue;
            TimeStamp time;
            if (!CollectRecord(text, p - 1, recordText) || !ReadRecordTime(recordText, time))
                continue;

            FrameRecord record(recordText[0] == 'R' ? FrameRecord::kRx : FrameRecord::kTx);
            record.SetTime(time);
            record.SetIndex(static_cast<int32_t>(nextIndex++));
            frame.assign(1, 0x7E);
            Hex::Decode(std::string_view(recordText).substr(16), frame);
            frame.push_back(0x7E);
            record.SetBytes(frame.data(), frame.size());
            if (!take(std::move(record))) return kStoreFull;
        }
    } catch (const std::bad_alloc&) {
        return kReadFailed;
    }
    progress = 100;
    return kLoaded;
}

TraceFile::LoadResult TraceFile::LoadFile(FrameStore& store, int fd,
                                          const std::atomic<bool>& cancel) {
    std::string text;
    if (!ReadWhole(fd, text)) return kReadFailed;
    return LoadText(store, text, cancel);
}

TraceFile::LoadResult TraceFile::ScanFile(int fd, const std::atomic<bool>& cancel, std::atomic<int>& progress,
                                          const Taker& take) {
    std::string text;
    if (!ReadWhole(fd, text)) return kReadFailed;
    return ScanText(text, cancel, progress, take);
}
