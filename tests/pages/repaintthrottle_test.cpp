// The grid's batched repaint: the first change at once, the rest of a burst together.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "pages/repaintthrottle.h"

namespace {
using Range = std::tuple<int, int, int, int>;  // top, left, bottom, right

struct Painted {
    std::vector<Range> ranges;
    CRepaintThrottle::Paint Record() {
        return [this](int t, int l, int b, int r) { ranges.emplace_back(t, l, b, r); };
    }
};
}  // namespace

TEST(RepaintThrottle, BurstPaintsFirstChangeThenTheGatheredRangeOnce) {
    Painted painted;
    CRepaintThrottle throttle(nullptr, 1000, painted.Record());
    throttle.CellChanged(7, 4);
    ASSERT_EQ(painted.ranges, std::vector<Range>{Range(7, 4, 7, 4)});
    throttle.CellChanged(8, 4);
    throttle.CellChanged(2, 4);
    throttle.CellChanged(5, 0);
    EXPECT_EQ(painted.ranges.size(), 1u);  // gathered while cooling down
    throttle.CoolDownOver();
    EXPECT_EQ(painted.ranges.back(), Range(2, 0, 8, 4));
    // Still cooling down after a batch: the burst goes on being gathered.
    throttle.CellChanged(9, 4);
    EXPECT_EQ(painted.ranges.size(), 2u);
    throttle.CoolDownOver();
    EXPECT_EQ(painted.ranges.back(), Range(9, 4, 9, 4));
}

TEST(RepaintThrottle, QuietCoolDownEndsTheBatching) {
    Painted painted;
    CRepaintThrottle throttle(nullptr, 1000, painted.Record());
    throttle.CellChanged(1, 4);
    throttle.CoolDownOver();  // nothing gathered: nothing painted
    EXPECT_EQ(painted.ranges.size(), 1u);
    throttle.CellChanged(3, 4);  // a lone change later is painted at once again
    EXPECT_EQ(painted.ranges.back(), Range(3, 4, 3, 4));
}
