#include "store/TimeStamp.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

TEST(TimeStamp, ParsesTheBracketedFormAndKeepsItsValueOnRejects) {
    TimeStamp t;
    // No upper limit on hours; positions 6 and 9 are not examined; trailing text is ignored.
    for (auto [text, shown] : {std::pair{"[23:59:59.999]", "23:59:59.999"}, {"[99:00:00.000]", "99:00:00.000"},
                               {"[12:34-56,789]trailing", "12:34:56.789"}}) {
        ASSERT_TRUE(t.Parse(text)) << text;
        EXPECT_EQ(t.Format(), shown);
    }
    ASSERT_TRUE(t.Set(1, 2, 3, 4));
    for (const char* bad : {"[12:60:00.000]", "[12:00:60.000]", "[12:00:00.1000]", "[1:23:45.678]", "[12-34:56.789]",
                            "[ab:00:00.000]", "[-1:00:00.000]", "[12:00:00.000", "", "12:00:00.000]x"}) {
        EXPECT_FALSE(t.Parse(bad)) << bad;
        EXPECT_EQ(t.Format(), "01:02:03.004") << bad;
    }
    for (auto [h, m, s, ms] : {std::array{-1, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {0, 0, 0, -1}})
        EXPECT_FALSE(t.Set(h, m, s, ms));
    EXPECT_TRUE(t.Set(9, 30, 5, 7));
    EXPECT_EQ(t.Format() + " " + t.FormatClock(), "09:30:05.007 09:30:05");
    EXPECT_TRUE(t.Set(123, 4, 5, 6));  // three-digit hours are shown whole
    EXPECT_EQ(t.Format(), "123:04:05.006");
}
