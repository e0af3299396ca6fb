#include <gtest/gtest.h>

#include <cmath>

#include "support/msgbox_capture.h"
#include "units_fixture.h"

namespace {

#define EXPECT_SENT(...)                                        \
    do {                                                        \
        const std::vector<SentRequest> expected_ = __VA_ARGS__; \
        EXPECT_EQ(TakeRequests(expected_.size()), expected_);   \
    } while (0)
constexpr std::int32_t kFeedKey = 0x609101;  // referenced as [60910120]

class FormulaTest : public ::testing::Test {
protected:
    FormulaTest() : fixture_({}) {}
    CGlobal& global() { return fixture_.global(); }
    CFormula& evaluator() { return global().evaluator; }
    double Eval(const QString& formula, double n) {
        double result = -12345.0;
        EXPECT_EQ(evaluator().Evaluate(kPage, formula, n, result), 1) << formula.toStdString();
        return result;
    }

    std::vector<SentRequest> TakeRequests(std::size_t expected) {
        return fixture_.TakeRequests(expected);
    }

    UnitsFixture fixture_;
    const platform::WindowHandle kPage = fixture_.Page();
    const platform::WindowHandle kMain = fixture_.Main();
    MsgBoxCapture boxes_;
};

TEST_F(FormulaTest, IdentityReturnsTheValueUnparsed) {
    EXPECT_EQ(Eval("N*1", 2.675), 2.675);
    EXPECT_EQ(Eval("N*1", -1e-9), -1e-9);
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(FormulaTest, ComputesLeftToRightWithOneTrailingSum) {
    EXPECT_DOUBLE_EQ(Eval("N/10", 25), 2.5);
    EXPECT_DOUBLE_EQ(Eval("N*2-1", 3), 5);
    EXPECT_DOUBLE_EQ(Eval("2*N+1-3", 4), 9);  // the trailing "-3" is ignored
    EXPECT_DOUBLE_EQ(Eval("N*60/1000+5", 500), 35);
    EXPECT_DOUBLE_EQ(Eval("N+5*2", 1), 6);  // no precedence: n + 5
    EXPECT_DOUBLE_EQ(Eval("n*0.5", 7), 3.5);
    EXPECT_DOUBLE_EQ(Eval("5", 99), 5);
    EXPECT_DOUBLE_EQ(Eval("1.2.3*N", 10), 12);  // the number run is read as far as it is a number
    EXPECT_EQ(boxes_.Count(), 0);
    EXPECT_TRUE(evaluator().LastEvaluationSound());
}

TEST_F(FormulaTest, UnknownCharacterComputesTheTokensBeforeIt) {
    EXPECT_DOUBLE_EQ(Eval("N*2)", 3), 6);
    EXPECT_EQ(boxes_.Texts(), QStringList{"Formula =>ASC: 41"});
    EXPECT_TRUE(evaluator().LastEvaluationSound());
    boxes_.Clear();
    EXPECT_DOUBLE_EQ(Eval("N*2 +1", 3), 6);
    EXPECT_EQ(boxes_.Texts(), QStringList{"Formula =>ASC: 32"});
}

TEST_F(FormulaTest, TokensThatDoNotAlternateAreAStackError) {
    for (const char* formula : {"", "*N", "N*", "NN", "N*+2", "N+5N", "-5", ")"}) {
        boxes_.Clear();
        EXPECT_EQ(Eval(formula, 3), 0) << formula;
        EXPECT_TRUE(boxes_.Contains("Formula stack is Err!!!!!\n")) << formula;
        EXPECT_FALSE(evaluator().LastEvaluationSound()) << formula;
    }
    EXPECT_DOUBLE_EQ(Eval("N", 3), 3);
    EXPECT_TRUE(evaluator().LastEvaluationSound());
}

TEST_F(FormulaTest, SquareRootCombinesItsDigitsWithN) {
    EXPECT_DOUBLE_EQ(Eval("sqrt(N*2)", 8), 4);
    EXPECT_DOUBLE_EQ(Eval("sqrt(16)", 0), 4);
    EXPECT_DOUBLE_EQ(Eval("sqrt(1.6)", 0), 4);  // "." is skipped: all digits form one number
    EXPECT_DOUBLE_EQ(Eval("sqrt(N/4)", 64), 4);
    EXPECT_DOUBLE_EQ(Eval("sqrt(N+9)", 16), 5);
    EXPECT_DOUBLE_EQ(Eval("sqrt(N-9)", 25), 4);
    EXPECT_DOUBLE_EQ(Eval("Sqrt(N*2)*10", 8), 40);
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(FormulaTest, SquareRootLooksOnlyAtItsOwnArgument) {
    EXPECT_DOUBLE_EQ(Eval("sqrt(4)*N", 3), 6);
    // The second root finds its own ")", not the first one of the formula.
    EXPECT_DOUBLE_EQ(Eval("sqrt(9)*sqrt(16)", 0), 12);
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(FormulaTest, SquareRootErrors) {
    EXPECT_DOUBLE_EQ(Eval("sqrt(N)", 9), 0);
    EXPECT_EQ(boxes_.Texts(), QStringList{"sqrt function express error!! \n"});
    EXPECT_FALSE(evaluator().LastEvaluationSound());
    boxes_.Clear();
    EXPECT_DOUBLE_EQ(Eval("sqrt(N)+5", 9), 5);  // operand 0, the rest computed
    EXPECT_FALSE(evaluator().LastEvaluationSound());
    boxes_.Clear();
    EXPECT_DOUBLE_EQ(Eval("N*sqrt(N*2", 8), 0);  // no ")"
    EXPECT_EQ(boxes_.Texts(), QStringList{"sqrt function express error!! \n"});
    EXPECT_FALSE(evaluator().LastEvaluationSound());
    EXPECT_TRUE(std::isnan(Eval("sqrt(N-9)", 0)));
}

TEST_F(FormulaTest, ConstantsKeepArrivalOrderAndTheFirstWins) {
    EXPECT_FALSE(evaluator().HasConst(kFeedKey));
    evaluator().AddConst(kFeedKey, 3);
    evaluator().AddConst(kFeedKey, 4);
    EXPECT_TRUE(evaluator().HasConst(kFeedKey));
    EXPECT_EQ(evaluator().GetConst(kFeedKey), 3);
    evaluator().SetConst(kFeedKey, 8);
    EXPECT_EQ(evaluator().GetConst(kFeedKey), 8);
    evaluator().SetConst(0x123400, 1);  // no such constant: nothing happens
    EXPECT_FALSE(evaluator().HasConst(0x123400));
    EXPECT_EQ(boxes_.Count(), 0);
    EXPECT_EQ(evaluator().GetConst(0x123400), 1);
    EXPECT_EQ(boxes_.Texts(), QStringList{"Not exist the const value!! \n"});
    evaluator().ClearConsts();
    EXPECT_FALSE(evaluator().HasConst(kFeedKey));
}

TEST_F(FormulaTest, ReferenceUsesTheObjectsConstant) {
    evaluator().AddConst(kFeedKey, 3);
    EXPECT_DOUBLE_EQ(Eval("[60910120]*N", 5), 15);
    EXPECT_DOUBLE_EQ(Eval("N/[60910120]", 6), 2);
    EXPECT_SENT({});
}

TEST_F(FormulaTest, MissingReferenceQueuesOneReadForTheMainWindow) {
    double result = -1;
    EXPECT_EQ(evaluator().Evaluate(kPage, "[60910120]*N", 5, result), 0);
    EXPECT_EQ(result, -1);  // untouched
    EXPECT_SENT(std::vector<SentRequest>{{kMain, 0x40, kFeedKey, 0}});
    std::int32_t i = -1;
    EXPECT_EQ(evaluator().EvaluateToInt(kPage, "N*[60910120]", 5, i), 0);
    EXPECT_EQ(i, -1);
    EXPECT_EQ(TakeRequests(1).size(), 1u);
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(FormulaTest, HighIndexReferencesGiveUnsignedKeys) {
    evaluator().AddConst(0x800001, 2);
    evaluator().AddConst(0xFFFFFF, 7);
    EXPECT_DOUBLE_EQ(Eval("[80000108]*N", 5), 10);
    EXPECT_DOUBLE_EQ(Eval("[ffffff20]+N", 1), 8);
    EXPECT_SENT({});
}

TEST_F(FormulaTest, MalformedReferenceIsAParseError) {
    evaluator().AddConst(kFeedKey, 3);
    EXPECT_DOUBLE_EQ(Eval("N*2[6091012]", 5), 10);  // seven digits
    EXPECT_TRUE(boxes_.Contains("Formula =>ASC: 91"));
    boxes_.Clear();
    EXPECT_DOUBLE_EQ(Eval("N+[60910G20]", 5), 0);
    EXPECT_TRUE(boxes_.Contains("Formula =>ASC: 91"));
    EXPECT_TRUE(boxes_.Contains("Formula stack is Err!!!!!\n"));
    EXPECT_DOUBLE_EQ(Eval("N*[6091", 5), 0);
    EXPECT_SENT({});
}

TEST_F(FormulaTest, EvaluateToIntTruncatesTowardZeroToThirtyTwoBits) {
    std::int32_t r = 0;
    ASSERT_EQ(evaluator().EvaluateToInt(kPage, "N*1", -2.7, r), 1);
    EXPECT_EQ(r, -2);
    ASSERT_EQ(evaluator().EvaluateToInt(kPage, "N/2", 7, r), 1);
    EXPECT_EQ(r, 3);
    ASSERT_EQ(evaluator().EvaluateToInt(kPage, "N*1", 4294967295.0, r), 1);
    EXPECT_EQ(r, -1);  // the raw bits of an UNSIGNED32 maximum
    ASSERT_EQ(evaluator().EvaluateToInt(kPage, "sqrt(N-9)", 0, r), 1);
    EXPECT_EQ(r, 0);  // NaN
    ASSERT_EQ(evaluator().EvaluateToInt(kPage, "N/0", 1, r), 1);
    EXPECT_EQ(r, -1);  // +inf saturates to 2^63-1, low bits all ones
}

TEST_F(FormulaTest, ParkedReadIsRetriedOnceTheValueArrived) {
    double result = 0;
    ASSERT_EQ(evaluator().Evaluate(kPage, "[60910120]*N", 0, result), 0);
    evaluator().SetPending(0x606300, 0x40, 0, "[60910120]*N");
    TakeRequests(1);
    evaluator().RetryPending();  // still missing: the read is queued again, the slot stays
    EXPECT_SENT(std::vector<SentRequest>{{kMain, 0x40, kFeedKey, 0}});
    EXPECT_TRUE(evaluator().HasPending());
    evaluator().AddConst(kFeedKey, 3);
    evaluator().RetryPending();
    EXPECT_SENT(std::vector<SentRequest>{{kPage, 0x40, 0x606300, 0}});
    EXPECT_FALSE(evaluator().HasPending());
    evaluator().RetryPending();  // sent once only
    EXPECT_SENT({});
    EXPECT_EQ(boxes_.Count(), 0);
}

TEST_F(FormulaTest, ParkedWriteSendsTheConvertedValue) {
    double result = 0;
    ASSERT_EQ(evaluator().Evaluate(kPage, "N/[60910120]", 0, result), 0);
    evaluator().SetPending(0x607A00, 0x23, 10.0, "N/[60910120]");
    evaluator().AddConst(kFeedKey, 4);
    TakeRequests(1);
    evaluator().RetryPending();
    EXPECT_SENT(std::vector<SentRequest>{{kPage, 0x23, 0x607A00, 2}});
}

TEST_F(FormulaTest, ParkedWriteWithAMalformedResultReadsInstead) {
    double result = 0;
    ASSERT_EQ(evaluator().Evaluate(kPage, "[60910120]N", 0, result), 0);
    evaluator().SetPending(0x607A00, 0x23, 10.0, "[60910120]N");
    evaluator().AddConst(kFeedKey, 4);
    TakeRequests(1);
    evaluator().RetryPending();
    EXPECT_TRUE(boxes_.Contains("Formula stack is Err!!!!!\n"));
    EXPECT_SENT(std::vector<SentRequest>{{kPage, 0x40, 0x607A00, 0}});
}

TEST_F(FormulaTest, RetryWithNothingParkedDoesNothing) {
    evaluator().RetryPending();
    EXPECT_SENT({});
    EXPECT_EQ(boxes_.Count(), 0);
}

}  // namespace

namespace {

// The evaluator alone, with its requests recorded instead of sent over a link.
class ReferenceReplyTest : public ::testing::Test {
protected:
    struct Sent {
        platform::WindowHandle who;
        std::uint8_t command;
        std::int32_t key;
        std::int32_t value;
        bool operator==(const Sent&) const = default;
    };
    struct Owner : platform::MessageTarget {
        std::vector<std::pair<unsigned, std::int32_t>> replies;  // message, key
        platform::LResult OnMessage(unsigned msg, platform::WParam, platform::LParam l) override {
            replies.emplace_back(msg, static_cast<std::int32_t>(l));
            return 0;
        }
    };
    // Parks a read of `key` for `owner` whose formula waits for `reference`.
    void ParkRead(const Owner& owner, std::int32_t key, const QString& formula) {
        double result = 0;
        ASSERT_EQ(evaluator.Evaluate(owner.Handle(), formula, 1, result), 0);
        evaluator.SetPending(key, 0x40, 0, formula);
    }

    std::atomic<platform::WindowHandle> mainWindow{0x4711};
    std::vector<Sent> sent;
    CFormula evaluator{[this](platform::WindowHandle who, std::uint8_t command, std::int32_t key,
                              std::int32_t value) {
                           sent.push_back({who, command, key, value});
                           return 0;
                       },
                       mainWindow};
    Owner pageA, pageB;
    MsgBoxCapture boxes;
};

TEST_F(ReferenceReplyTest, ValueIsStoredOnceAndEveryWaitingConversionGoesOn) {
    ParkRead(pageA, 0x606300, "N*[60910120]");
    ParkRead(pageB, 0x606400, "N/[60910120]");
    ParkRead(pageB, 0x606400, "N/[60910120]");  // the same conversion again: parked once
    EXPECT_EQ(sent, (std::vector<Sent>(3, {0x4711, 0x40, kFeedKey, 0})));
    sent.clear();
    evaluator.ReferenceReply(platform::WM_LINK_VALUE, 3, kFeedKey);
    EXPECT_EQ(sent, (std::vector<Sent>{{pageA.Handle(), 0x40, 0x606300, 0},
                                       {pageB.Handle(), 0x40, 0x606400, 0}}));
    EXPECT_FALSE(evaluator.HasPending());
    evaluator.ReferenceReply(platform::WM_LINK_VALUE, 9, kFeedKey);  // known: kept as it was
    EXPECT_EQ(evaluator.GetConst(kFeedKey), 3);
    EXPECT_TRUE(pageA.replies.empty());
}

TEST_F(ReferenceReplyTest, RefusalEndsTheConversionsWaitingForThatObjectOnly) {
    ParkRead(pageA, 0x606300, "N*[60910120]");
    ParkRead(pageB, 0x606400, "N*[60920120]");
    evaluator.ReferenceReply(platform::WM_LINK_ABORT, 0x06020000, kFeedKey);
    EXPECT_EQ(
        pageA.replies,
        (std::vector<std::pair<unsigned, std::int32_t>>{{platform::WM_LINK_ABORT, 0x606300}}));
    EXPECT_TRUE(pageB.replies.empty());
    EXPECT_TRUE(evaluator.HasPending());  // page B still waits for 0x6092:01
    evaluator.ReferenceReply(platform::WM_LINK_ABORT, 0x06020000, 0x609201);
    EXPECT_EQ(pageB.replies.size(), 1u);
    EXPECT_FALSE(evaluator.HasPending());
    EXPECT_FALSE(evaluator.HasConst(kFeedKey));
}

TEST_F(ReferenceReplyTest, ConversionNeedingTwoObjectsWaitsForTheSecondAfterTheFirst) {
    ParkRead(pageA, 0x606300, "N*[60920220]/[60920120]");
    evaluator.ReferenceReply(platform::WM_LINK_VALUE, 10, 0x609202);
    EXPECT_TRUE(evaluator.HasPending());
    sent.clear();
    evaluator.ReferenceReply(platform::WM_LINK_ABORT, 0x06020000, 0x609201);  // the second
    EXPECT_EQ(pageA.replies.size(), 1u);
    EXPECT_FALSE(evaluator.HasPending());
}

}  // namespace
