// The generated D channel as its receivers would take it, checked by a small
// decoder of its own so that a fault in the generator cannot hide itself.
// The sequence of a seed and FrameAt are checked end to end (DeviceLinkE2eTest).
#include "sim/TrafficGenerator.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <utility>

#include "tests/support/TestSupport.h"

TEST(TrafficGenerator, EveryLinkIsInSequenceAndTheFcsMatchesTheDamageFlag) {
    for (uint64_t seed : {1u, 42u}) {
        TrafficGenerator g(seed);
        using Link = std::tuple<int, int, int>;  // direction, SAPI, TEI
        std::map<Link, int> vr;                  // V(R) of the receiver of that direction
        std::map<Link, bool> rejectOwed;
        int bad = 0, inSequence = 0, rejects = 0;
        SimFrame f;
        for (int n = 0; n < 40000; ++n) {
            g.Next(f);
            const std::vector<uint8_t>& o = f.octets;
            const bool good = o.size() >= 5 && testsupport::WithFcs({o.begin(), o.end() - 2}) == o;
            ASSERT_EQ(good, !f.badFcs) << seed << " frame " << n;
            bad += !good;
            if (!good) continue;
            const int dir = f.direction, sapi = o[0] >> 2, control = o[2];
            const Link key{dir, sapi, o[1] >> 1}, back{1 - dir, sapi, o[1] >> 1};
            ASSERT_EQ(o[0] & 1, 0) << n;
            ASSERT_EQ(o[1] & 1, 1) << n;
            ASSERT_TRUE(sapi == 0 || sapi == 16 || sapi == 63) << "SAPI " << sapi << ", frame " << n;
            if ((control & 3) == 3) {
                // UI of TEI management to the group TEI; SABME and UA start the counts again.
                ASSERT_EQ(sapi == 63, (control & 0xEF) == 0x03 && o[1] == 0xFF && o[3] == 0x0F) << n;
                if ((control & 0xEF) == 0x6F || (control & 0xEF) == 0x63) vr[key] = vr[back] = 0;
                continue;
            }
            // I and S frames: N(R) is what the sender took of the other direction.
            ASSERT_EQ(o[3] >> 1, vr[back]) << seed << " frame " << n;
            if (control & 1) {  // S frame: after an out-of-sequence I frame the receiver's next word is REJ
                if (std::exchange(rejectOwed[back], false)) ASSERT_EQ(control, 0x09) << n;
                rejects += control == 0x09;
                continue;
            }
            ASSERT_EQ((o[0] >> 1) & 1, dir) << n;  // a command: C/R 0 from the user side, 1 from the network
            const bool next = control >> 1 == vr[key];  // else out of sequence: not taken, REJ owed
            rejectOwed[key] = rejectOwed[key] || !next;
            vr[key] = (vr[key] + next) & 0x7F;
            inSequence += next;
        }
        EXPECT_GT(bad, 40000 / 400);  // about one frame in 200 is damaged
        EXPECT_LT(bad, 40000 / 100);
        EXPECT_GT(inSequence, 10000);
        EXPECT_GT(rejects, 0);
    }
}
