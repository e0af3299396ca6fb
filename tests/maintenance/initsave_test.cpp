// The initialise/save rules and the import page's save steps.
#include <gtest/gtest.h>

#include "maintenance/drvobjects.h"
#include "maintenance/initsaverules.h"
#include "maintenance/savesteps.h"

using namespace drvdata;

namespace {
void Readings(CInitSaveRules& rules, std::initializer_list<std::uint32_t> values) {
    for (std::uint32_t v : values) rules.OnValue(drvobj::kDriveStatus, v);
}
}  // namespace

TEST(InitSaveRules, StoreIsConfirmedByTheStoringBitThenTwoQuietReadings) {
    CInitSaveRules rules;
    BatchRequest write = rules.Begin(InitSaveAction::StoreControl);
    EXPECT_EQ(write.command, 0x2F);
    EXPECT_EQ(write.key, 0x2FF001);
    EXPECT_EQ(write.data, 1);
    EXPECT_FALSE(rules.ActionsEnabled());
    Readings(rules, {0x10, 0x10, 0});
    EXPECT_FALSE(rules.ActionsEnabled());
    Readings(rules, {0});
    EXPECT_TRUE(rules.ActionsEnabled());
    EXPECT_TRUE(rules.CaptionOk(InitSaveButton::StoreControl));
    EXPECT_FALSE(rules.CaptionOk(InitSaveButton::StoreMotor));
    EXPECT_EQ(InitSaveCaption(InitSaveButton::StoreControl, true, 2), "Save control parameters OK");
    EXPECT_EQ(InitSaveCaption(InitSaveButton::StoreControl, true, 1),
              QString::fromUtf8("存储控制参数OK"));
}

TEST(InitSaveRules, WithoutTheStoringBitButtonsComeBackPlain) {
    CInitSaveRules rules;
    EXPECT_EQ(rules.Begin(InitSaveAction::StoreMotor).key, 0x2FF003);
    Readings(rules, {0, 0});
    EXPECT_TRUE(rules.ActionsEnabled());
    EXPECT_FALSE(rules.CaptionOk(InitSaveButton::StoreMotor));
}

TEST(InitSaveRules, AnEarlierStoreDoesNotConfirmTheNextAction) {
    CInitSaveRules rules;
    rules.Begin(InitSaveAction::StoreControl);
    Readings(rules, {0x10, 0, 0});
    ASSERT_TRUE(rules.CaptionOk(InitSaveButton::StoreControl));
    rules.Begin(InitSaveAction::StoreMotor);  // refused: the drive never stores
    Readings(rules, {0, 0});
    EXPECT_TRUE(rules.ActionsEnabled());
    EXPECT_FALSE(rules.CaptionOk(InitSaveButton::StoreMotor));
    EXPECT_FALSE(rules.CaptionOk(InitSaveButton::StoreControl));
}

TEST(InitSaveRules, InitialiseCountsOnlyRepliesOfTen) {
    CInitSaveRules rules;
    BatchRequest init = rules.Begin(InitSaveAction::Initialise);
    EXPECT_EQ(init.key, 0x2FF001);
    EXPECT_EQ(init.data, 10);
    rules.OnValue(0x2FF001, 10);  // the write's reply
    rules.OnValue(0x2FF001, 1);   // not an initialise reply
    EXPECT_FALSE(rules.ActionsEnabled());
    rules.OnValue(0x2FF001, 10);
    EXPECT_TRUE(rules.ActionsEnabled());
    EXPECT_FALSE(rules.CaptionOk(InitSaveButton::Initialise));
}

TEST(SaveSteps, MotorThenControlThenFinish) {
    CSaveSteps steps;
    EXPECT_EQ(steps.Start(), 50);
    EXPECT_EQ(steps.StatusText(), "Driver save ...");
    auto first = steps.Proceed();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->key, 0x2FF003);
    EXPECT_EQ(first->data, 1);
    EXPECT_EQ(steps.OnValue(0x604100), -1);  // not the awaited reply
    EXPECT_EQ(steps.OnValue(0x2FF003), 200);
    auto second = steps.Proceed();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->key, 0x2FF001);
    EXPECT_EQ(steps.OnValue(0x2FF001), 800);
    EXPECT_TRUE(steps.Saving());
    EXPECT_FALSE(steps.Proceed());
    EXPECT_FALSE(steps.Saving());
    EXPECT_EQ(steps.StatusText(), "finish");
}

TEST(SaveSteps, ARefusedOrUnansweredSaveIsNotReportedAsFinished) {
    CSaveSteps steps;
    steps.Start();
    steps.Proceed();
    EXPECT_EQ(steps.OnAbort(0x2FF003, 1), 800);  // any code ends the saving
    EXPECT_FALSE(steps.Proceed());
    EXPECT_EQ(steps.StatusText(), "Driver save refused: 0x00000001");

    steps.Start();
    steps.Proceed();
    steps.NoReply();
    EXPECT_FALSE(steps.Saving());
    EXPECT_EQ(steps.StatusText(), "Driver save failure: no reply");
}
