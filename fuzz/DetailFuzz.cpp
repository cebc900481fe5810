// Any frame of up to 300 octets under any detail display switches: the detail
// build stays inside the frame, ends, and gives one item per octet plus the
// category titles.
#include <cstdlib>
#include <string>
#include <vector>

#include "decode/DetailDecoder.h"
#include "detail/DetailEntries.h"

namespace {

const MessageCatalogue& Names() {
    static const MessageCatalogue c = [] {
        MessageCatalogue m;
        m.LoadText(
            "AF_SAPI:\n0x00=\"CC\"\n0x10=\"PKT\"\n0x3F=\"MGT\"\n"
            "CF_FRAME:\n0x00=\"I\"\n0x01=\"RR\"\n0x6F=\"SABME\"\n0x03=\"UI\"\n"
            "IF_L2MG_AI3:\n0x00-0xFF=\"any\"\n"
            "IF_CALLNUMLEN:\n0x02=\"two\"\n"
            "IF_MESSAGE:\n0x05=\"SETUP\"\n"
            "IF_OTHERINFO:\n0x00-0xFF=\"IE\"\n"
            "IF_CHIDT331:\n0x00-0xFF=\"s\"\n"
            "IF_X25_PTYPE:\n0x00=\"CR,REQ\"\n0x0B=\",\"\n0x0C=\"RR,\"\n0x01-0x0A=\"x\"\n"
            "CRC:\n0x00=\"OK\"\n0x01=\"NG\"\n");
        return m;
    }();
    return c;
}

}  // namespace

// Input: switches (titles, icons, separators, direction, facility reset),
// then the frame.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    uint8_t flags = data[0];
    size_t n = size - 1 > 300 ? 300 : size - 1;
    DisplayOptions options;
    options.showTitles = flags & 0x01;
    options.showIcons = (flags >> 1) & 0x01;
    options.showSeparators = (flags >> 2) & 0x01;
    FrameRecord record((flags >> 3) & 0x01);
    if (n > 0) record.SetBytes(data + 1, n);
    if (flags & 0x10) DetailDecoder::Program().ResetFacility();

    std::vector<std::string> entries;
    if (!DetailEntries::Build(record, options, Names(), entries)) abort();
    size_t octets = 0;
    for (const std::string& e : entries) {
        if (e.empty()) abort();
        if (e[0] == 0x12) {
            if (!options.showTitles) abort();
            continue;
        }
        ++octets;
        // Every octet item starts with its tag or its two hex digits.
        if (e[0] == 0x10 ? !options.showIcons : !isxdigit(static_cast<unsigned char>(e[0])))
            abort();
        if (e.find('\x13') != std::string::npos && !options.showSeparators) abort();
    }
    if (octets != n) abort();
    return 0;
}
