#pragma once
// Frames of a trace file, sent once each in file order with their own
// directions.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sim/FrameSource.h"

class ReplaySource : public FrameSource {
public:
    enum LoadResult { kLoaded, kTruncated, kUnreadable };

    // kTruncated: the file held more frames than a store takes; the first
    // ones are kept.
    LoadResult LoadText(std::string_view text);
    LoadResult LoadFile(const std::string& path);

    bool Next(SimFrame& frame) override;
    uint32_t ChannelMask(int) const override { return 0; }
    size_t Count() const { return frames_.size(); }

private:
    std::vector<SimFrame> frames_;
    size_t next_ = 0;
};
