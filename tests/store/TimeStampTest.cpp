#include "store/TimeStamp.h"

#include <gtest/gtest.h>

TEST(TimeStamp, ParsesTheBracketedForm) {
    TimeStamp t;
    ASSERT_TRUE(t.Parse("[23:59:59.999]"));
    EXPECT_EQ(t.Format(), "23:59:59.999");
    ASSERT_TRUE(t.Parse("[24:00:00.000]"));  // no upper limit on hours
    EXPECT_EQ(t.Hours(), 24);
    // Positions 6 and 9 are not examined; trailing text is ignored.
    ASSERT_TRUE(t.Parse("[12:34-56,789]trailing"));
    EXPECT_EQ(t.Format(), "12:34:56.789");
    ASSERT_TRUE(t.Parse("[99:00:00.000]"));
    EXPECT_EQ(t.Hours(), 99);
}

TEST(TimeStamp, RejectsAndKeepsItsValue) {
    TimeStamp t;
    ASSERT_TRUE(t.Set(1, 2, 3, 4));
    for (const char* bad : {"[12:60:00.000]", "[12:00:60.000]", "[12:00:00.1000]",
                            "[1:23:45.678]", "[12-34:56.789]", "[ab:00:00.000]",
                            "[-1:00:00.000]", "[12:00:00.000", "", "[", "12:00:00.000]x"}) {
        EXPECT_FALSE(t.Parse(bad)) << bad;
        EXPECT_EQ(t.Format(), "01:02:03.004") << bad;
    }
}

TEST(TimeStamp, SetChecksRanges) {
    TimeStamp t;
    EXPECT_FALSE(t.Set(-1, 0, 0, 0));
    EXPECT_FALSE(t.Set(0, 60, 0, 0));
    EXPECT_FALSE(t.Set(0, 0, 60, 0));
    EXPECT_FALSE(t.Set(0, 0, 0, 1000));
    EXPECT_FALSE(t.Set(0, 0, 0, -1));
    EXPECT_EQ(t, TimeStamp());
    EXPECT_TRUE(t.Set(9, 30, 5, 7));
    EXPECT_EQ(t.Format(), "09:30:05.007");
    EXPECT_EQ(t.FormatClock(), "09:30:05");
}
