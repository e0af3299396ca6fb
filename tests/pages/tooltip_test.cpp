// The multi-line tool tip: when it shows, its size and where it goes.
#include <gtest/gtest.h>

#include <QPushButton>

#include "pages/usertooltip.h"

namespace {

class ToolTipTest : public ::testing::Test {
protected:
    ToolTipTest() : tip(&owner, language) {
        owner.resize(300, 200);
        top.setGeometry(10, 10, 50, 20);
        bottom.setGeometry(10, 170, 50, 20);
        CUserToolTip::SetControlId(&top, 5);
        CUserToolTip::SetControlId(&bottom, 6);
    }
    std::atomic<std::uint8_t> language{2};
    QWidget owner;
    QPushButton top{&owner};
    QPushButton bottom{&owner};
    CUserToolTip tip;
};

TEST_F(ToolTipTest, EmptyLinesAreNotAdded) {
    EXPECT_EQ(tip.AddTool(5, {}, 0, Qt::yellow, Qt::black), 0);
}

TEST_F(ToolTipTest, MultiLineTipGoesBelowItsControl) {
    ASSERT_EQ(tip.AddTool(5, {"abc", "defgh"}, 0, Qt::yellow, Qt::black), 1);
    tip.TrackTip(QPoint(20, 15));
    EXPECT_EQ(tip.CurrentId(), 5);
    EXPECT_EQ(tip.TipSize(), QSize(40, 38));  // 5 * 6 + 10, (14 - 1) * 2 + 12
    EXPECT_EQ(tip.TipRect(), QRect(10, 30, 40, 38));
    tip.TrackTip(QPoint(20, 15));  // the same control: nothing changes
    EXPECT_EQ(tip.TipRect(), QRect(10, 30, 40, 38));
}

TEST_F(ToolTipTest, NearTheBottomTheTipGoesAbove) {
    tip.AddTool(6, {"abc", "defgh"}, 0, Qt::yellow, Qt::black);
    tip.TrackTip(QPoint(20, 175));
    EXPECT_EQ(tip.TipRect(), QRect(10, 170 - 38, 40, 38));
}

TEST_F(ToolTipTest, OneLineThatFitsIsNotShownAndRemovalHidesTheTip) {
    tip.AddTool(5, {"abc"}, 0, Qt::yellow, Qt::black);
    tip.ShowTip(5);
    EXPECT_EQ(tip.TipSize(), QSize(0, 0));
    tip.AddTool(6, {"a long line of text here"}, 0, Qt::yellow, Qt::black);
    tip.TrackTip(QPoint(20, 175));
    EXPECT_EQ(tip.CurrentId(), 6);
    EXPECT_FALSE(tip.TipRect().isEmpty());
    tip.RemoveTool(6);
    EXPECT_EQ(tip.CurrentId(), 0);
    EXPECT_TRUE(tip.TipRect().isEmpty());
}

}  // namespace
