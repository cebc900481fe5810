#include <gtest/gtest.h>

#include "checks/FindingLog.h"

namespace {

Finding Made(Severity severity, int32_t index) {
    Finding f;
    f.severity = severity;
    f.index = index;
    return f;
}

}  // namespace

// Numbers stay with their findings when the oldest go; counts are of those
// held; taking them out leaves the numbering running on.
TEST(FindingLog, BoundNumbersAndCounts) {
    FindingLog log(3);
    for (int i = 0; i < 5; ++i) log.Add(Made(i % 2 ? Severity::kWarning : Severity::kError, i));
    EXPECT_EQ(log.Count(), 3u);
    EXPECT_EQ(log.FirstNumber(), 3u);
    EXPECT_EQ(log.NextNumber(), 6u);
    EXPECT_EQ(log.At(0).index, 2);
    EXPECT_EQ(log.At(3).index, -1);
    EXPECT_EQ(log.CountOf(Severity::kError), 2u);
    EXPECT_EQ(log.CountOf(Severity::kWarning), 1u);
    const std::vector<Finding> taken = log.Take();
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken.back().index, 4);
    EXPECT_EQ(log.FirstNumber(), 6u);
    EXPECT_EQ(log.CountOf(Severity::kError), 0u);
    log.Clear();
    EXPECT_EQ(log.NextNumber(), 1u);
}
