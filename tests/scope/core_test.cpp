// Widget-free oscilloscope logic: texts, scales, items, the sample buffer and its decoding.
#include <gtest/gtest.h>

#include "scope/samplebuffer.h"
#include "scope/sampledecode.h"
#include "scope/scalesteps.h"
#include "scope/scopeitems.h"
#include "scope/scopeobjects.h"
#include "scope/scopetexts.h"

namespace {

TEST(ScopeTexts, PeriodShownInMicroMilliOrSeconds) {
    EXPECT_EQ(scopetext::SamplePeriodText(15), "937.5us");
    EXPECT_EQ(scopetext::SamplePeriodText(16), "1.00ms");
    EXPECT_EQ(scopetext::SamplePeriodText(15999), "999.94ms");
    EXPECT_EQ(scopetext::SamplePeriodText(16000), "1.00s");
    EXPECT_EQ(scopetext::SamplePeriodText(0), "0.0us");
}

TEST(ScopeTexts, AnimationTextsFollowTheLanguage) {
    EXPECT_EQ(scopetext::Waiting(2, 1), "wait to read data .");
    EXPECT_EQ(scopetext::Waiting(1, 5), "等待采集数据 .....");
    EXPECT_EQ(scopetext::Reading(2, 3), "reading data ...");
    EXPECT_TRUE(scopetext::Reading(2, 4).isEmpty());  // the English set has no four dots
    EXPECT_EQ(scopetext::Reading(1, 4), "读取数据 ....");
    EXPECT_EQ(scopetext::ManualTrigger(1), "手动触发");
}

TEST(ScaleSteps, AutomaticScaleRisesToTheOneTwoFiveSeries) {
    EXPECT_DOUBLE_EQ(scalesteps::AutoScale(0.0123, 1), 5e-3);  // step 0.00205
    EXPECT_DOUBLE_EQ(scalesteps::AutoScale(30, 1), 10);        // step 5
    EXPECT_DOUBLE_EQ(scalesteps::AutoScale(0, 1), 1e-6);
    EXPECT_DOUBLE_EQ(scalesteps::AutoScale(6, 1), 2);          // step 1 rises to 2
    EXPECT_DOUBLE_EQ(scalesteps::AutoScale(6 * 120, 1), 200);  // three digits, leading 1
    EXPECT_DOUBLE_EQ(scalesteps::AutoScale(6 * 3000, 1), 5000);
    EXPECT_DOUBLE_EQ(scalesteps::AutoScale(4e-7 * 6, 1), 1e-6);  // six zero decimals
    EXPECT_DOUBLE_EQ(scalesteps::AutoScale(60, -0.1), 2);        // a negative coefficient
}

TEST(ScaleSteps, SpinWalksTheSeriesAndStopsAtTheSmallest) {
    QString t = "1e-6";
    const char* up[] = {"2e-6", "5e-6", "1e-5", "2e-5"};
    for (const char* expected : up) EXPECT_EQ(t = scalesteps::StepScale(t, true), expected);
    const char* down[] = {"1e-5", "5e-6", "2e-6", "1e-6", "1e-6"};
    for (const char* expected : down) EXPECT_EQ(t = scalesteps::StepScale(t, false), expected);
    EXPECT_DOUBLE_EQ(scalesteps::ScaleValue("5e-3"), 5e-3);
    EXPECT_EQ(scalesteps::ScaleText(0.005), "5e-3");
    EXPECT_EQ(scalesteps::ScaleText(10), "1e1");
    EXPECT_EQ(scalesteps::ScaleText(0), "1e-6");
    EXPECT_EQ(scalesteps::ScaleValue("abc"), 0);
}

TEST(ScopeItems, OrdinalsHeadInsertionAndSignedMatch) {
    CScopeItemList extra, common;
    common.Append(0x21000110, "a");
    common.Append(0x21000220, "b");
    extra.PushFront(0x60770011, "torque");  // signed 16-bit
    extra.PushFront(0x606C0021, "velocity");
    EXPECT_EQ(extra.At(0).ordinal, 2);
    EXPECT_EQ(extra.At(1).ordinal, 1);
    EXPECT_EQ(common.At(1).ordinal, 2);
    ChannelItems items{&extra, &common};
    EXPECT_EQ(items.Count(), 4);
    EXPECT_EQ(items.At(0)->name, "velocity");
    EXPECT_EQ(items.At(2)->name, "a");
    EXPECT_EQ(items.At(4), nullptr);
    // The drive reports mapping entries: the signed bit is cleared there.
    EXPECT_EQ(items.Find(0x60770010), 1);
    EXPECT_EQ(items.Find(0x21000220), 3);
    EXPECT_EQ(items.Find(0x21000221), -1);
}

TEST(ScopeObjects, SourceSlotsByWidthAndPair) {
    EXPECT_EQ(scope::SourceSub(2, 0x21000110), 2);
    EXPECT_EQ(scope::SourceSub(2, 0x606C0021), scope::kSource12);
    EXPECT_EQ(scope::SourceSub(4, 0x606C0020), scope::kSource34);
    EXPECT_EQ(scope::MappingEntry(0x606C0021), 0x606C0020u);
    EXPECT_EQ(scope::ItemKey(0x606C0021), 0x606C00);
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> b;
    for (int v : values) b.push_back(std::uint8_t(v));
    return b;
}

TEST(SampleDecode, SixteenBitChannelAndThirtyTwoBitPairMakeSixByteRecords) {
    RecordLayout layout;
    layout.source16 = {0x60770010, 0, 0, 0};
    layout.source32 = {0, 0x606C0020};
    layout.ticked = {true, false, true, false};
    layout.isSigned = {true, false, true, false};
    layout.entry = {0x60770010, 0, 0x606C0020, 0};
    const auto data = Bytes({0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x80, 0x10, 0, 0, 0, 0x55});
    const ChannelSamples s = DecodeSamples(data.data(), int(data.size()), layout);
    ASSERT_EQ(s[0].size(), 2u);  // the cut record at the end is left out
    EXPECT_EQ(s[0][0], 1);
    EXPECT_EQ(s[0][1], -32768);
    ASSERT_EQ(s[2].size(), 2u);
    EXPECT_EQ(s[2][0], -1);
    EXPECT_EQ(s[2][1], 16);
    EXPECT_TRUE(s[1].empty());
    EXPECT_TRUE(s[3].empty());
}

TEST(SampleDecode, SignedAndUnsignedValues) {
    RecordLayout layout;
    layout.source16 = {0x21000110, 0x21000210, 0, 0};
    layout.source32 = {0, 0x21000320};
    layout.ticked = {true, true, false, true};
    layout.isSigned = {true, false, false, false};
    const auto data =
        Bytes({0xFF, 0x7F, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x80, 0x00, 0x80, 0, 0, 0, 0});
    const ChannelSamples s = DecodeSamples(data.data(), int(data.size()), layout);
    EXPECT_EQ(s[0], (std::vector<double>{32767, -32768}));
    EXPECT_EQ(s[1], (std::vector<double>{32768, 32768}));
    // Channel 3 is not ticked: the pair's value goes to channel 4, unsigned.
    EXPECT_EQ(s[3], (std::vector<double>{4294967295.0, 0}));
}

TEST(SampleDecode, PairValueGoesToTheChannelThatSelectedItsObject) {
    RecordLayout layout;
    layout.source16 = {0x21000110, 0, 0, 0};
    layout.source32 = {0x21000320, 0};
    layout.ticked = {true, true, false, false};
    layout.isSigned = {false, true, false, false};
    layout.entry = {0x21000110, 0x21000320, 0, 0};
    const auto data = Bytes({0x05, 0x00, 0xFE, 0xFF, 0xFF, 0xFF});
    const ChannelSamples s = DecodeSamples(data.data(), int(data.size()), layout);
    EXPECT_EQ(s[0], (std::vector<double>{5}));
    EXPECT_EQ(s[1], (std::vector<double>{-2}));
    EXPECT_TRUE(DecodeSamples(data.data(), 6, RecordLayout{})[0].empty());  // no sources
}

TEST(SampleBuffer, StoresUpTo8192BytesAndNothingBeyond) {
    CSampleBuffer buffer;
    const std::uint8_t seven[7] = {1, 2, 3, 4, 5, 6, 7};
    int stored = 0;
    while (buffer.Append(seven, 7)) stored += 7;
    EXPECT_EQ(stored, 8190);
    EXPECT_EQ(buffer.Used(), 8190);
    EXPECT_TRUE(buffer.Append(seven, 2));
    EXPECT_EQ(buffer.Used(), 8192);
    EXPECT_FALSE(buffer.Append(seven, 1));
    EXPECT_EQ(buffer.Data()[8191], 2);
}

}  // namespace
