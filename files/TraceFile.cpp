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
#include "files/FdWriter.h"
#include "files/TraceScan.h"
#include "store/TraceText.h"

namespace {

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
    size_t stop = 0;
    if (text.substr(0, 6) == "INDEX=") nextIndex = TraceScan::HeaderNumber(text, 6, stop);

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
            bool ran = false;
            FrameRecord record;
            if (!TraceScan::IsRecordStart(text, p) || !TraceScan::CollectRecord(text, p - 1, recordText, ran) ||
                !TraceScan::MakeRecord(recordText, static_cast<int32_t>(nextIndex), frame, record))
                continue;
            ++nextIndex;
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
