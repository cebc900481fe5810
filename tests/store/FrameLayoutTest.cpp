// Where the fields of a LAPD frame stand: the one place the layout rules
// (format by control octet, UI message type, call reference lengths) are asserted.
#include "store/FrameLayout.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(FrameLayout, FieldPositionsFormatAndCallReference) {
    constexpr int A = FrameLayout::kAbsent, D = FrameLayout::kDummyCallReference, N = FrameLayout::kNoCallReference;
    // Frames with flags and two FCS placeholder octets; format I, S, U or U/UI, "" without a control field.
    struct Case { const char* name; std::vector<uint8_t> frame; int control, info, callRef, type; const char* format; int sapi; };
    const Case cases[] = {
        {"SETUP, call reference 0x81", {0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x01, 0x81, 0x05, 0, 0, 0x7E}, 3, 5, 1, 8, "I", 0},
        {"two-octet call reference", {0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x02, 0x81, 0x23, 0x05, 0, 0, 0x7E}, 3, 5, 0x0123, 9, "I", 0},
        {"dummy call reference", {0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x00, 0x62, 0, 0, 0x7E}, 3, 5, D, 7, "I", 0},
        {"a longer one gives its first octet; spare bits", {0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x13, 0x85, 1, 2, 0x05, 0, 0, 0x7E}, 3, 5, 5, 10, "I", 0},
        {"call reference octets missing", {0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x02, 0x81, 0, 0, 0x7E}, 3, 5, N, A, "I", 0},
        {"TEI management UI: type three octets in", {0x7E, 0xFC, 0xFF, 0x03, 0x0F, 0x00, 0x00, 0x01, 0xFF, 0, 0, 0x7E}, 3, 4, D, 7, "U/UI", 63},
        {"UI with the P bit, empty field", {0x7E, 0x00, 0x01, 0x13, 0, 0, 0x7E}, 3, 4, N, A, "U/UI", 0},
        {"SABME is U, not UI", {0x7E, 0x00, 0x01, 0x7F, 0, 0, 0x7E}, 3, 4, N, A, "U", 0},
        {"RR on SAPI 16, two control octets", {0x7E, 0x40, 0x01, 0x01, 0x05, 0, 0, 0x7E}, 3, 5, N, A, "S", 16},
        {"first address octet with EA set", {0x7E, 0x01, 0x03, 0xAA, 0, 0, 0x7E}, 2, 3, N, A, "U/UI", 0},
        {"no EA bit: no control field", {0x7E, 0x00, 0x02, 0x04, 0x01, 0x01, 0x7E}, A, A, N, A, "", 0},
        {"the second control octet would be the FCS", {0x7E, 0x00, 0x01, 0x02, 0x11, 0x22, 0x7E}, 3, A, N, A, "I", 0},
    };
    for (const Case& c : cases) {
        const FrameRecord record = RawFrame(c.frame);
        const FrameLayout f(record);
        EXPECT_EQ((std::vector<int>{f.ControlOffset(), f.InfoOffset(), f.CallReference(), f.MessageTypeOffset(), f.Sapi()}),
                  (std::vector<int>{c.control, c.info, c.callRef, c.type, c.sapi})) << c.name;
        EXPECT_EQ(std::string(f.IsIFrame() ? "I" : "") + (f.IsSFrame() ? "S" : "") + (f.IsUFrame() ? "U" : "") +
                      (f.IsUIFrame() ? "/UI" : ""), c.format) << c.name;
    }
    const FrameRecord setup = RawFrame(cases[0].frame);
    EXPECT_EQ(FrameLayout(setup).InfoOctet(0), 0x08);
    EXPECT_EQ(FrameLayout(setup).InfoOctet(-1), FrameLayout::kAbsent);  // never the control octet
    using L = FrameLayout;
    EXPECT_EQ((std::vector<int>{L::ProtocolOf(0), L::ProtocolOf(16), L::ProtocolOf(63), L::ProtocolOf(62)}),
              (std::vector<int>{L::kCallControl, L::kPacket, L::kManagement, L::kOtherSapi}));
}
