// Any frame of up to 300 octets under any detail display switches: the detail
// build stays inside the frame, ends, and gives one item per octet plus the
// category titles; no octet can forge a presentation mark or put another
// control character into an item.
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "decode/DetailEntries.h"
#include "tests/support/DetailSupport.h"

// Input: switches (titles, icons, separators, direction, facility reset),
// then the frame.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    uint8_t flags = data[0];
    size_t n = size - 1 > 300 ? 300 : size - 1;
    const DisplayOptions options = testsupport::DetailSwitches(flags & 0x01, flags & 0x02, flags & 0x04);
    FrameRecord record((flags >> 3) & 0x01);
    if (n > 0) record.SetBytes(data + 1, n);
    if (flags & 0x10) DetailDecoder::Program().ResetFacility();

    std::vector<std::string> entries;
    if (!DetailEntries::Build(record, options, testsupport::Names(), entries)) abort();
    size_t octets = 0;
    for (const std::string& e : entries) {
        if (e.empty()) abort();
        if (e[0] == 0x12) {
            if (!options.showTitles) abort();
            continue;
        }
        ++octets;
        // Every octet item starts with its tag or its two hex digits.
        if (e[0] == 0x10 ? !options.showIcons : !isxdigit(static_cast<unsigned char>(e[0]))) abort();
        if (e.find('\x13') != std::string::npos && !options.showSeparators) abort();
        // No octet forges a presentation mark or puts another control character in.
        if (e.find_first_of("\x10\x12", 1) != std::string::npos) abort();
        static constexpr std::string_view kOtherControls(
            "\0\1\2\3\4\5\6\7\10\13\14\15\16\17\24\25\26\27\30\31\32\33\34\35\36\37", 26);
        if (e.find_first_of(kOtherControls) != std::string::npos) abort();
    }
    if (octets != n) abort();
    return 0;
}
