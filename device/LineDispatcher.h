#pragma once
// Recognises one line from the capture device (line feeds and carriage
// returns already removed) and routes it: frames to the queue, replies and
// status to the reply store; everything else is dropped.
#include <cstdint>
#include <string_view>

#include "device/BChannelStatus.h"
#include "device/CaptureQueue.h"
#include "device/DeviceKind.h"
#include "device/DeviceReplies.h"

class LineDispatcher {
public:
    enum LineKind { kIgnored, kEcho, kFrame, kIdentity, kClock, kStatus };

    // Field start of the status line per device kind.
    static constexpr size_t kRq730StatusStart = 3;
    static constexpr size_t kTessaroStatusStart = 16;
    // Where the hexadecimal octets of a frame line begin.
    static constexpr size_t kFrameHexStart = 16;

    LineDispatcher(CaptureQueue& queue, DeviceReplies& replies)
        : queue_(queue), replies_(replies) {}

    LineKind Dispatch(std::string_view line);

    static bool IsEcho(std::string_view line);
    // A frame line with a valid time stamp as a record with both flags.
    static bool ParseFrameLine(std::string_view line, FrameRecord& record);
    static bool IsStatusLine(std::string_view line);
    // The flags of a status line; a position past the end is not "1".
    static BChannelStatus::Direction ParseStatusFlags(std::string_view line, DeviceKind kind);

private:
    CaptureQueue& queue_;
    DeviceReplies& replies_;
};
