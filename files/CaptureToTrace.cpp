#include "files/CaptureToTrace.h"

#include <ctime>
#include <vector>

#include "files/CaptureFileReader.h"
#include "store/Fcs.h"
#include "store/TraceText.h"

bool CaptureToTrace::Convert(std::string_view capture, std::string& trace, std::string& message) {
    std::vector<uint8_t> bytes;
    return CaptureFileReader::Read(
        capture,
        [&](const CaptureFileReader::Frame& frame) {
            bytes.assign(frame.octets.begin(), frame.octets.end());
            if (!bytes.empty()) {
                Fcs::Append(bytes);
                // The original FCS is not in the capture: a flagged frame
                // gets the right one inverted, so that it fails again.
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
            TraceText::AppendRecordText(trace, record);
        },
        message);
}
