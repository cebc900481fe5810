#include "store/FrameRecord.h"

#include <gtest/gtest.h>

#include <tuple>

#include "store/Fcs.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(FrameRecord, AssemblyDeepCopiesAndTheFrameCheckSequence) {
    FrameRecord r(FrameRecord::kRx);
    // Complete at the second flag; later octets ignored.
    for (auto [octet, flag, complete] :
         {std::tuple{0x7E, true, false}, {0x02, false, false}, {0x7E, true, true}, {0x55, false, true}})
        EXPECT_EQ(r.AppendByte(octet, flag), complete) << octet;
    EXPECT_EQ(std::vector<uint8_t>(r.Bytes(), r.Bytes() + r.Length()), (std::vector<uint8_t>{0x7E, 0x02, 0x7E}));
    const uint8_t two[] = {1, 2};
    EXPECT_FALSE(r.SetBytes(two, 2));  // only an empty record takes bytes
    FrameRecord copy(FrameRecord::kTx);
    EXPECT_TRUE(copy.SetBytes(two, 2));
    copy.SetIndex(77);
    r = copy;  // over the assembled record, which then assembles anew
    copy.Clear();
    EXPECT_EQ(std::tuple(r.IsRx(), r.Index(), r.Length(), r.ByteAt(1)), std::tuple(false, 77, 2u, 2));
    EXPECT_FALSE(r.AppendByte(0x7E, true));
    r.Clear();  // in the middle of an assembly, which then begins anew
    EXPECT_FALSE(r.AppendByte(0x7E, true));
    r = copy;  // an empty record copied over one with bytes
    EXPECT_EQ(std::tuple(r.Length(), r.Bytes()), std::tuple(0u, nullptr));

    // The frame check sequence, over the address to the information field.
    const std::pair<std::vector<uint8_t>, int> cases[] = {  // 1 passes, 0 fails, -1 fails and caches nothing
        {{0x7E, '1', '2', '3', '4', '5', '6', '7', '8', '9', 0x6E, 0x90, 0x7E}, 1},  // the check value 0x906E
        {{0x7E, '1', '2', '3', '4', '5', '6', '7', '8', '9', 0x6F, 0x90, 0x7E}, 0},
        {{0x7E, 0x02, 0x01, 0x7E, 0x2D, 0x7E}, 1},  // over 02 01 only: not the flags, not the FCS itself
        {{0x00, 0x02, 0x01, 0x7E, 0x2D, 0x00}, 1},
        {{0x7E, 0x02, 0x01, 0x7E, 0x2C, 0x7E}, 0},
        {{0x7E, 0x02, 0x7E, 0x7E}, -1},  // under five bytes
    };
    for (const auto& [frame, result] : cases) {
        const FrameRecord r = RawFrame(frame);
        EXPECT_EQ(r.CheckCrc(), result == 1) << testing::PrintToString(frame);
        EXPECT_EQ(Fcs::Check(frame.data() + 1, frame.size() - 2), result == 1) << testing::PrintToString(frame);
        EXPECT_EQ(FrameRecord(r).CrcKnown(), result >= 0) << testing::PrintToString(frame);  // a copy keeps it
    }
    // A record moved over another brings its own result.
    FrameRecord checked = RawFrame(cases[0].first), failed = RawFrame(cases[1].first);
    ASSERT_TRUE(checked.CheckCrc());
    ASSERT_FALSE(failed.CheckCrc());
    checked = std::move(failed);
    EXPECT_FALSE(checked.CheckCrc());
}
