// Any bytes as a pcap or pcapng capture: every frame handed over lies inside
// the input, and a file accepted once is accepted again with the same frames.
#include <cstdlib>
#include <string>

#include "files/CaptureFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    std::string frames, again, message;
    auto collect = [&](std::string& into) {
        return [&into, file](const CaptureFileReader::Frame& f) {
            if (f.octets.data() < file.data() || f.octets.data() + f.octets.size() > file.data() + file.size()) abort();
            into += std::to_string(f.seconds) + "." + std::to_string(f.micros) + (f.rx ? "R" : "T");
            into.append(f.octets);
        };
    };
    const bool ok = CaptureFileReader::Read(file, collect(frames), message);
    if (ok != CaptureFileReader::Read(file, collect(again), message) || frames != again) abort();
    if (!ok && message.empty()) abort();
    return 0;
}
