#include <gtest/gtest.h>

#include "faultplan.h"

using vsim::CFaultPlan;

namespace {
bool Apply(CFaultPlan& plan, const QString& command, int64_t now = 0) {
    QString answer;
    return plan.Apply(command.split(' '), now, answer);
}
}  // namespace

TEST(SimFaultPlan, LosesEveryNthReply) {
    CFaultPlan plan;
    ASSERT_TRUE(Apply(plan, "lose-every 3"));
    std::vector<bool> sent;
    for (int i = 0; i < 6; ++i) sent.push_back(plan.NextReply(0).send);
    EXPECT_EQ(sent, (std::vector<bool>{true, true, false, true, true, false}));
}

TEST(SimFaultPlan, ProbabilityOneAndZero) {
    CFaultPlan plan;
    ASSERT_TRUE(Apply(plan, "corrupt-prob 1"));
    EXPECT_TRUE(plan.NextReply(0).corrupt);
    ASSERT_TRUE(Apply(plan, "corrupt-prob 0"));
    EXPECT_FALSE(plan.NextReply(0).corrupt);
    EXPECT_FALSE(Apply(plan, "lose-prob 1.5"));
}

TEST(SimFaultPlan, SilenceAfterExchangesAndForATime) {
    CFaultPlan plan;
    ASSERT_TRUE(Apply(plan, "silent-after 2"));
    EXPECT_FALSE(plan.Deaf(0));
    plan.NextReply(0);
    plan.NextReply(0);
    EXPECT_TRUE(plan.Deaf(0));
    ASSERT_TRUE(Apply(plan, "talk"));
    EXPECT_FALSE(plan.Deaf(0));
    ASSERT_TRUE(Apply(plan, "silent-for 500", 1000));
    EXPECT_TRUE(plan.Deaf(1499));
    EXPECT_FALSE(plan.Deaf(1500));
}

TEST(SimFaultPlan, RefusesObjectsWithAGivenCode) {
    CFaultPlan plan;
    ASSERT_TRUE(Apply(plan, "refuse 604100"));
    ASSERT_TRUE(Apply(plan, "refuse 606C00 06090011"));
    EXPECT_EQ(plan.Refusal(0x604100), 0x08000020u);
    EXPECT_EQ(plan.Refusal(0x606C00), 0x06090011u);
    ASSERT_TRUE(Apply(plan, "accept 604100"));
    EXPECT_EQ(plan.Refusal(0x604100), 0u);
    EXPECT_FALSE(Apply(plan, "refuse xyz"));
    EXPECT_FALSE(Apply(plan, "delay"));
    ASSERT_TRUE(Apply(plan, "delay 40"));
    EXPECT_EQ(plan.NextReply(0).delayMs, 40);
    plan.Clear();
    EXPECT_EQ(plan.NextReply(0).delayMs, 0);
    EXPECT_EQ(plan.Refusal(0x606C00), 0u);
}
