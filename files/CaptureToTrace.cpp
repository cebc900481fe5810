#include "files/CaptureToTrace.h"

#include <vector>

#include "files/CaptureFileReader.h"
#include "files/CaptureRecord.h"
#include "store/TraceText.h"

bool CaptureToTrace::Convert(std::string_view capture, std::string& trace, std::string& message) {
    std::vector<uint8_t> bytes;
    return CaptureFileReader::Read(
        capture,
        [&](const CaptureFileReader::Frame& frame) {
            TraceText::AppendRecordText(trace, CaptureRecord::Of(frame, bytes));
        },
        message);
}
