#include "common/read_progress.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zov {
namespace {

TEST(ReadProgress, ShareIsWholePercentOfAKnownTotal) {
    struct Case {
        std::int64_t done, total;
        int percent;
    };
    const Case cases[] = {
        {0, 0, 0},     {5, 0, 0},
        {5, -1, 0},    {-5, 10, 0},
        {0, 10, 0},    {1, 3, 33},
        {2, 3, 66},    {10, 10, 100},
        {11, 10, 100}, {INT64_C(3) << 40, INT64_C(4) << 40, 75},  // beyond 32 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(percent_done(c.done, c.total), c.percent) << c.done << " of " << c.total;
}

TEST(ReadProgress, AReaderGoingBackDoesNotTakeTheShareBack) {
    ReadProgress progress;
    progress.request_stop();
    progress.start(200);
    progress.advance_to(100);
    progress.advance_to(40);
    EXPECT_EQ(progress.percent(), 50);
    EXPECT_TRUE(progress.stop_requested());  // asked for before the start: still asked
    progress.start(0);
    EXPECT_EQ(progress.percent(), 0);
}

}  // namespace
}  // namespace zov
