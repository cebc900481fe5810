#include "files/CaptureFileReader.h"

#include "files/CaptureStream.h"
#include "files/ChunkedInput.h"

bool CaptureFileReader::Read(std::string_view file, const OnFrame& onFrame, std::string& message) {
    ChunkedInput input(file, file.size());
    CaptureStream stream(input);
    Frame frame;
    CaptureStream::Result result;
    while ((result = stream.Next(frame)) == CaptureStream::kFrame) onFrame(frame);
    message = stream.Message();
    return result == CaptureStream::kEnd;
}
