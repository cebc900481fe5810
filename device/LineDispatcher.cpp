#include "device/LineDispatcher.h"

#include <new>
#include <utility>

#include "base/Hex.h"

namespace {

bool IsOne(std::string_view line, size_t pos) { return pos < line.size() && line[pos] == '1'; }

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool LineDispatcher::IsEcho(std::string_view line) {
    if (line.size() != 1) return false;
    for (char c : {'S', 'E', 'T', 'R', 'V', 'I', 'M'}) {
        if (line[0] == c) return true;
    }
    return false;
}

bool LineDispatcher::ParseFrameLine(std::string_view line, FrameRecord& record) {
    if (line.size() < 2 || (line[0] != 'T' && line[0] != 'R') || line[1] != 'X') return false;
    TimeStamp time;
    if (!time.Parse(line.substr(2))) return false;
    std::vector<uint8_t> octets{0x7E};
    if (line.size() > kFrameHexStart) Hex::Decode(line.substr(kFrameHexStart), octets);
    octets.push_back(0x7E);
    FrameRecord built(line[0] == 'R' ? FrameRecord::kRx : FrameRecord::kTx);
    built.SetTime(time);
    // Out of memory is an error of the receive loop, not a malformed line.
    if (!built.SetBytes(octets.data(), octets.size())) throw std::bad_alloc();
    record = std::move(built);
    return true;
}

bool LineDispatcher::IsStatusLine(std::string_view line) {
    return line.size() >= 2 && line[0] == 'S' && (line[1] == 'T' || line[1] == 'R');
}

BChannelStatus::Direction LineDispatcher::ParseStatusFlags(std::string_view line, DeviceKind kind) {
    const size_t start = kind == DeviceKind::kTessaro ? kTessaroStatusStart : kRq730StatusStart;
    BChannelStatus::Direction flags;
    for (size_t i = 0; i < flags.bChannel.size(); ++i) flags.bChannel[i] = IsOne(line, start + i);
    flags.dChannel = IsOne(line, start + 23);
    flags.lineNormal = IsOne(line, start + 25);
    return flags;
}

LineDispatcher::LineKind LineDispatcher::Dispatch(std::string_view line) {
    if (IsEcho(line)) return kEcho;

    FrameRecord record;
    if (ParseFrameLine(line, record)) {
        queue_.Push(std::move(record));
        return kFrame;
    }
    // A frame line whose time stamp does not parse falls through and, being
    // of no other shape, is dropped.

    if (StartsWith(line, std::string_view("RQ-730", 2)) || StartsWith(line, "Tessaro")) {
        replies_.PutIdentity(std::string(line));
        return kIdentity;
    }

    TimeStamp time;
    if (time.Parse(line)) {
        replies_.PutClock(time);
        return kClock;
    }

    if (IsStatusLine(line)) {
        uint8_t direction = line[1] == 'T' ? FrameRecord::kTx : FrameRecord::kRx;
        replies_.PutStatus(direction, ParseStatusFlags(line, replies_.Kind()));
        return kStatus;
    }
    return kIgnored;
}
