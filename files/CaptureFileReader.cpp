#include "files/CaptureFileReader.h"

#include <algorithm>
#include <cstring>

#include "files/CaptureStream.h"
#include "files/ChunkedInput.h"

bool CaptureFileReader::Read(std::string_view file, const OnFrame& onFrame, std::string& message) {
    ChunkedInput input(
        [&file](char* into, size_t room) {
            const size_t n = std::min(room, file.size());
            std::memcpy(into, file.data(), n);
            file.remove_prefix(n);
            return static_cast<ssize_t>(n);
        },
        std::max<size_t>(file.size(), 1));
    CaptureStream stream(input);
    Frame frame;
    CaptureStream::Result result;
    while ((result = stream.Next(frame)) == CaptureStream::kFrame) onFrame(frame);
    message = stream.Message();
    return result == CaptureStream::kEnd;
}
