#include "device/LineDispatcher.h"

#include <gtest/gtest.h>

#include "tests/support/PtyDevice.h"

namespace {

// A direction as its 23 B-channel digits, then D channel and line state.
std::string Flags(const BChannelStatus::Direction& d) {
    std::string s;
    for (bool b : d.bChannel) s += b ? '1' : '0';
    return s + ' ' + (d.dChannel ? '1' : '0') + ' ' + (d.lineNormal ? '1' : '0');
}

TEST(LineDispatcher, EachLineByItsShapeAndWhatItLeavesToTake) {
    CaptureQueue queue;
    DeviceReplies replies;
    LineDispatcher dispatcher(queue, replies);
    // The line's kind, then what can be taken after it (once).
    auto dispatch = [&](std::string_view line) {
        const char* kinds[] = {"ignored", "echo", "frame", "identity", "clock", "status"};
        std::string out = kinds[dispatcher.Dispatch(line)];
        FrameRecord r;
        std::string text;
        TimeStamp t;
        BChannelStatus s;
        while (queue.TryPop(r)) out += " " + Shown(r);
        if (replies.TakeIdentity(text))
            out += " " + text + (replies.Kind() == DeviceKind::kTessaro ? " (Tessaro)" : " (RQ-730)");
        if (replies.TakeClock(t)) out += " " + t.Format();
        if (replies.TakeChannelStatus(s)) out += " " + Flags(s.direction[0]) + " / " + Flags(s.direction[1]);
        EXPECT_FALSE(replies.TakeIdentity(text) || replies.TakeClock(t) || replies.TakeChannelStatus(s));
        return out;
    };
    const std::string ones(23, '1');
    const std::pair<std::string, std::string> cases[] = {
        {"TX[12:34:56.789]0201007F", "frame TX 12:34:56.789 7E0201007F7E"},
        {"RX[12:34:56.789]", "frame RX 12:34:56.789 7E7E"},
        // Lower case digits; an odd last digit is an octet by itself.
        {"RX[00:00:00.000]0aFf3", "frame RX 00:00:00.000 7E0AFF037E"},
        // The octets start at 16 whatever stands there; non-hex counts as zero.
        {"TX[01:02:03.004]x", "frame TX 01:02:03.004 7E007E"},
        {"TX[12:34:56.789]0G1Z\xFF" "A", "frame TX 12:34:56.789 7E00100A7E"},
        {"Tessaro V2.10", "identity Tessaro V2.10 (Tessaro)"},
        {"RQ-730 Ver1.03 1998", "identity RQ-730 Ver1.03 1998 (RQ-730)"},
        {"[23:59:59.999]", "clock 23:59:59.999"},
        {"[12:34-56,789]rest", "clock 12:34:56.789"},
        // RQ-730 status: the field at 3, D at 26, line state at 28. A line
        // changes its own direction only; "2" and "0" are not "1".
        {"ST-" + ones + "1-0", "status " + ones + " 1 0 / 00000000000000000000000 0 0"},
        {"SR-10200000000000000000000" "0-1", "status " + ones + " 1 0 / 10000000000000000000000 0 1"},
        {"ST", "status 00000000000000000000000 0 0 / 10000000000000000000000 0 1"},
        {"SR-111", "status 00000000000000000000000 0 0 / 11100000000000000000000 0 0"},
        // After a Tessaro reply everything stands 13 places further on.
        {"Tessaro", "identity Tessaro (Tessaro)"},
        {"ST-" + ones + "1-0", "status 11111111111000000000000 0 0 / 11100000000000000000000 0 0"},
        {"ST" + std::string(14, '-') + ones + "1-1", "status " + ones + " 1 1 / 11100000000000000000000 0 0"},
        {"RQ", "identity RQ (RQ-730)"},  // two characters of "RQ-730" suffice
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(dispatch(line), expected) << line;
    for (const char* line : {"TX[12:60:00.000]0201", "TX[1:23:45.678]0201", "TX", "RX[", "TX12:34:56.789]02", "",
                             "SX", "X", "s", "TT", "RA-730", "tessaro", "[12-34:56.789]", "[1", "[12:60:00.000]"})
        EXPECT_EQ(dispatch(line), "ignored") << line;
    for (const char* line : {"S", "E", "T", "R", "V", "I", "M"})  // "S" alone is no status line
        EXPECT_EQ(dispatch(line), "echo") << line;
}

}  // namespace
