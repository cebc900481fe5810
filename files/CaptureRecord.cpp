#include "files/CaptureRecord.h"

#include <ctime>

#include "store/Fcs.h"

FrameRecord CaptureRecord::Of(const CaptureFileReader::Frame& frame, std::vector<uint8_t>& bytes) {
    bytes.assign(frame.octets.begin(), frame.octets.end());
    if (!bytes.empty()) {
        Fcs::Append(bytes);
        // The original FCS is not in the capture: a flagged frame gets the
        // right one inverted, so that it fails again.
        if (frame.crcError) {
            bytes[bytes.size() - 2] ^= 0xFF;
            bytes[bytes.size() - 1] ^= 0xFF;
        }
    }
    bytes.insert(bytes.begin(), 0x7E);
    bytes.push_back(0x7E);
    FrameRecord record(frame.rx ? FrameRecord::kRx : FrameRecord::kTx);
    record.SetBytes(bytes.data(), bytes.size());
    const std::time_t seconds = static_cast<std::time_t>(frame.seconds);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    TimeStamp time;
    time.Set(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(frame.micros / 1000));
    record.SetTime(time);
    return record;
}
