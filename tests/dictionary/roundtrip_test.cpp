// What a page does with a unit whose formula refers to another object, over the control link
// to an in-memory drive: the main window stores the referenced value and retries the parked
// conversion, as the main frame does.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "dictionary/rowvalue.h"
#include "support/msgbox_capture.h"
#include "units_fixture.h"

namespace {

constexpr std::int32_t kPosition = 0x606300;
constexpr std::int32_t kFeed = 0x609101;

struct UnitRow : IValueRow {
    QString value, unit = "mm";
    std::int32_t Key() const override { return kPosition; }
    QString DataType() const override { return "INTEGER32"; }
    QString ValueText() const override { return value; }
    QString UnitText() const override { return unit; }
};

class RoundTripTest : public ::testing::Test {
protected:
    RoundTripTest()
        : fixture_({{kPosition, "INTEGER32", "RWL", "[inc mm]N/[60910120];[mm]N*[60910120]"},
                    {kFeed, "UNSIGNED32", "RW", ""}}) {
        CGlobal& g = fixture_.global();
        fixture_.MainWindow().OnValue([&g](std::int32_t key, std::int32_t value) {
            g.evaluator.ReferenceReply(platform::WM_LINK_VALUE, value, key);
        });
        fixture_.PageWindow().OnValue([this, &g](std::int32_t key, std::int32_t raw) {
            double value = 0;
            if (key != kPosition || !CNumbers::RawToNumber("INTEGER32", raw, value))
                return;
            QString formula;
            int handled = 0;
            if (g.ConvertReadValue(fixture_.Page(), key, "mm", value, formula, handled) && handled)
                shown_ = g.FormatValue("mm", "INTEGER32", formula, value);
            ++pageReplies_;
        });
        fixture_.Drive().values = {{kPosition, 1000}, {kFeed, 4}};
    }

    bool WaitFor(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return done();
    }

    UnitsFixture fixture_;
    MsgBoxCapture boxes_;
    UnitRow row_;
    QString shown_;
    int pageReplies_ = 0;
};

TEST_F(RoundTripTest, ReadWaitsForTheReferencedObjectAndThenConverts) {
    CGlobal& g = fixture_.global();
    g.link.Request(fixture_.Page(), 0x40, kPosition, 0);
    ASSERT_TRUE(WaitFor([&] { return !shown_.isEmpty(); }));
    EXPECT_EQ(shown_, "250.000");
    EXPECT_EQ(pageReplies_, 2);  // parked and not shown first, converted after the re-read
    EXPECT_EQ(g.evaluator.GetConst(kFeed), 4);
    EXPECT_EQ(fixture_.TakeRequests(3),
              (std::vector<SentRequest>{{fixture_.Page(), 0x40, kPosition, 0},
                                        {fixture_.Main(), 0x40, kFeed, 0},
                                        {fixture_.Page(), 0x40, kPosition, 0}}));
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(RoundTripTest, WriteWaitsForTheReferencedObjectAndThenWrites) {
    row_.value = "2.5";
    ASSERT_EQ(fixture_.global().WriteRowValue(fixture_.Page(), row_).outcome, RowWrite::Parked);
    ASSERT_TRUE(WaitFor([&] { return !shown_.isEmpty(); }));
    EXPECT_EQ(fixture_.Drive().Get(kPosition), 10);  // 2.5 mm with N*[60910120]
    EXPECT_EQ(shown_, "2.500");                      // the write's reply, read back with N/4
    EXPECT_EQ(fixture_.TakeRequests(2),
              (std::vector<SentRequest>{{fixture_.Main(), 0x40, kFeed, 0},
                                        {fixture_.Page(), 0x23, kPosition, 10}}));
}

TEST_F(RoundTripTest, TypoIsNotWrittenAndTheRowShowsTheDrivesValue) {
    fixture_.global().evaluator.AddConst(kFeed, 4);
    row_.value = "x1";
    ASSERT_EQ(fixture_.global().WriteRowValue(fixture_.Page(), row_).outcome, RowWrite::Refused);
    ASSERT_TRUE(WaitFor([&] { return !shown_.isEmpty(); }));
    EXPECT_EQ(shown_, "250.000");
    EXPECT_EQ(fixture_.Drive().Get(kPosition), 1000);
    EXPECT_EQ(fixture_.TakeRequests(1),
              (std::vector<SentRequest>{{fixture_.Page(), 0x40, kPosition, 0}}));
}

}  // namespace
