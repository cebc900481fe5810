#include "sim/ReplaySource.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include "files/TraceFile.h"
#include "store/Fcs.h"
#include "store/FrameStore.h"

ReplaySource::LoadResult ReplaySource::LoadText(std::string_view text) {
    FrameStore store;
    std::atomic<bool> cancel{false};
    TraceFile::LoadResult result = TraceFile::LoadText(store, text, cancel);
    if (result != TraceFile::kLoaded && result != TraceFile::kStoreFull) return kUnreadable;
    frames_.clear();
    next_ = 0;
    frames_.reserve(store.Count());
    for (size_t i = 0; i < store.Count(); ++i) {
        const FrameRecord& record = store.At(i);
        SimFrame frame;
        frame.direction = record.IsRx() ? SimFrame::kRx : SimFrame::kTx;
        // The octets between the flags.
        if (record.Length() > 2) frame.octets.assign(record.Bytes() + 1, record.Bytes() + record.Length() - 1);
        frame.badFcs = !Fcs::Check(frame.octets.data(), frame.octets.size());
        frames_.push_back(std::move(frame));
    }
    return result == TraceFile::kStoreFull ? kTruncated : kLoaded;
}

ReplaySource::LoadResult ReplaySource::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return kUnreadable;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return kUnreadable;
    return LoadText(buffer.str());
}

bool ReplaySource::Next(SimFrame& frame) {
    if (next_ >= frames_.size()) return false;
    frame = frames_[next_++];
    return true;
}
