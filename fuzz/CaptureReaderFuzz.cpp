// Any bytes as a pcap or pcapng capture: a file accepted once is accepted
// again with the same frames, and read in pieces of random sizes (as from a
// pipe) it gives the same frames and the same verdict.
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "files/CaptureFileReader.h"
#include "files/CaptureStream.h"

namespace {

void Add(std::string& into, const CaptureFileReader::Frame& f) {
    into += std::to_string(f.seconds) + "." + std::to_string(f.micros) + (f.rx ? "R" : "T") + (f.crcError ? "E" : "");
    into.append(f.octets);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view file(reinterpret_cast<const char*>(data), size);
    std::string frames, again, pieces, message;
    const bool ok = CaptureFileReader::Read(file, [&](const auto& f) { Add(frames, f); }, message);
    if (ok != CaptureFileReader::Read(file, [&](const auto& f) { Add(again, f); }, message) || frames != again) abort();
    if (!ok && message.empty()) abort();

    std::minstd_rand random(static_cast<uint32_t>(size));
    ChunkedInput input(
        [&](char* into, size_t room) {
            const size_t n = file.copy(into, std::min(room, size_t(random() % 64 + 1)));
            file.remove_prefix(n);
            return ssize_t(n);
        },
        size_t(random() % 32 + 1));
    CaptureStream stream(input);
    CaptureFileReader::Frame frame;
    CaptureStream::Result result;
    while ((result = stream.Next(frame)) == CaptureStream::kFrame) Add(pieces, frame);
    if (pieces != frames || (result == CaptureStream::kEnd) != ok || stream.Message() != message) abort();
    return 0;
}
