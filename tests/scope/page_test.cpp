// The oscilloscope page against a scripted drive: the read sequence, the ends of an upload,
// channel and trigger selection, fields, zoom and files.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "scope/graphview.h"
#include "scope/scopechannels.h"
#include "scope/scopeobjects.h"
#include "scope/scopetrigger.h"
#include "scope_fake_fixture.h"

namespace {

using namespace fakekeys;
using scope::Key;

std::vector<std::int32_t> Keys(const std::vector<SeenRequest>& seen) {
    std::vector<std::int32_t> keys;
    for (const SeenRequest& r : seen) keys.push_back(r.key);
    return keys;
}

// Records of channel 1 (signed 16-bit speed) and channel 2 (unsigned 16-bit gain).
QByteArray SpeedAndGain(std::initializer_list<std::pair<int, int>> records) {
    QByteArray b;
    for (auto [speed, gain] : records) {
        b.append(char(speed & 0xFF)).append(char(speed >> 8 & 0xFF));
        b.append(char(gain & 0xFF)).append(char(gain >> 8 & 0xFF));
    }
    return b;
}

void UseSpeedAndGain(ScopeFakeFixture& f) {
    f.drive().Set(Key(1), kSpeed * 256 + 16);
    f.drive().Set(Key(2), kGain * 256 + 16);
}

TEST(ScopePage, OpeningReadsThirteenSettingsSampleCountFirstAndLast) {
    ScopeFakeFixture f;
    ASSERT_TRUE(f.Open());
    const std::vector<std::int32_t> expected = {Key(8),  Key(9), Key(10), Key(11), Key(12),
                                                Key(13), Key(1), Key(2),  Key(3),  Key(4),
                                                Key(5),  Key(6), Key(10)};
    EXPECT_EQ(Keys(f.Seen()), expected);
    EXPECT_EQ(f.page().StatusText(), "finish");
    EXPECT_EQ(f.page().samplePeriodText, "1.00ms");
    EXPECT_EQ(f.page().sampleCount, 7);
}

TEST(ScopePage, UploadEndsAtTheLastSegmentBitAndDecodesSignedAndUnsigned) {
    ScopeFakeFixture f;
    UseSpeedAndGain(f);
    // 28 bytes: four full segments, the last one marked.
    f.drive().SetBuffer(SpeedAndGain(
        {{0x7FFF, 0x8000}, {0x8000, 0xFFFF}, {1, 2}, {3, 4}, {5, 6}, {7, 8}, {-2, 9}}));
    ASSERT_TRUE(f.Open());
    EXPECT_TRUE(f.page().Channels().Ticked(1));
    EXPECT_TRUE(f.page().Channels().Ticked(2));
    f.ClearSeen();
    ASSERT_TRUE(f.Capture());
    EXPECT_EQ(f.Seen(0x60).size() + f.Seen(0x70).size(), 4u);
    const auto& speed = f.page().Graph().Points(1);
    const auto& gain = f.page().Graph().Points(2);
    ASSERT_EQ(speed.size(), 7u);
    EXPECT_EQ(speed[0].value, 32767);
    EXPECT_EQ(speed[1].value, -32768);
    EXPECT_EQ(speed[6].value, -2);
    EXPECT_EQ(gain[0].value, 32768);
    EXPECT_EQ(gain[1].value, 65535);
    EXPECT_EQ(f.page().StatusText(), "finish");
    EXPECT_EQ(f.g().serveHeldQueue.load(), 1);
    EXPECT_EQ(f.g().pollingEnabled.load(), 1);
    // Without the mark a full last segment costs one more, empty, segment.
    f.drive().SetBuffer(SpeedAndGain({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}),
                        false);
    f.ClearSeen();
    ASSERT_TRUE(f.Capture());
    EXPECT_EQ(f.Seen(0x60).size() + f.Seen(0x70).size(), 5u);
    EXPECT_EQ(f.page().Graph().Points(2).back().value, 7);
}

TEST(ScopePage, RefusedSegmentEndsTheUploadLikeACancel) {
    ScopeFakeFixture f;
    UseSpeedAndGain(f);
    f.drive().SetBuffer(QByteArray(70, '\x01'));
    f.drive().RefuseSegment(2);
    ASSERT_TRUE(f.Open());
    f.ClearSeen();
    ASSERT_TRUE(f.Capture());
    EXPECT_EQ(f.Seen(0x60).size() + f.Seen(0x70).size(), 2u);
    EXPECT_EQ(f.page().StatusText(), "capture refused by the drive");
    EXPECT_EQ(f.page().Form().capture.start->text(), "Start");
    EXPECT_TRUE(f.page().Form().capture.reread->isEnabled());
    EXPECT_EQ(f.g().serveHeldQueue.load(), 1);
    EXPECT_EQ(f.g().pollingEnabled.load(), 1);
    EXPECT_TRUE(f.page().Graph().Points(1).empty());
}

TEST(ScopePage, DataBeyondTheBufferIsNotStoredAndEndsTheUpload) {
    ScopeFakeFixture f;
    UseSpeedAndGain(f);
    f.drive().SetBuffer(QByteArray(8192 + 40, '\x02'));
    ASSERT_TRUE(f.Open());
    f.ClearSeen();
    ASSERT_TRUE(f.Capture(15000));
    // 1,170 segments fill 8,190 bytes; the next one does not fit.
    EXPECT_EQ(f.Seen(0x60).size() + f.Seen(0x70).size(), 1171u);
    EXPECT_EQ(f.page().Cycle().Buffer().Used(), 8190);
    EXPECT_EQ(f.page().StatusText(), "data beyond 8192 bytes, upload ended");
    EXPECT_EQ(f.page().Graph().Points(1).size(), 8190u / 4);
    EXPECT_EQ(f.g().serveHeldQueue.load(), 1);
}

TEST(ScopePage, ChannelChoicesWriteTheRightSourceSlot) {
    ScopeFakeFixture f;
    f.drive().Set(Key(5), kLimit * 256 + 32);  // channel 1 shows the 32-bit limit
    ASSERT_TRUE(f.Open());
    const auto& ch = f.page().Form().channels;
    ASSERT_TRUE(f.page().Channels().Ticked(1));
    EXPECT_EQ(ch[0].object->currentText(), "Limit");
    // Unticking channel 1 (its 16-bit slot is 0) empties the pair's 32-bit slot.
    f.ClearSeen();
    ScopeSimFixture::Click(ch[0].check);
    ASSERT_TRUE(f.WaitQuiet());
    auto writes = f.Seen(0x23);
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes[0].key, Key(5));
    EXPECT_EQ(writes[0].data, 0);
    // A 32-bit object for channel 2 goes to the pair's slot, not to channel 2's own.
    ASSERT_TRUE(ScopeSimFixture::Choose(ch[1].object, "Velocity actual"));
    f.ClearSeen();
    ScopeSimFixture::Click(ch[1].check);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.drive().Get(Key(5)) == 0x606C0020u; }, 3000));
    writes = f.Seen(0x23);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].key, Key(5));
    // Ticking channel 3 without a selection takes the tick back and writes nothing.
    f.ClearSeen();
    ASSERT_TRUE(f.WaitQuiet());
    f.ClearSeen();
    ScopeSimFixture::Click(ch[2].check);
    EXPECT_FALSE(ch[2].check->isChecked());
    ASSERT_TRUE(f.WaitQuiet());
    EXPECT_TRUE(f.Seen(0x23).empty());
    // A 16-bit object replacing the 32-bit one empties the pair's slot first.
    ASSERT_TRUE(ScopeSimFixture::Choose(ch[1].object, "Gain"));
    ScopeSimFixture::Click(ch[1].check);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.drive().Get(Key(2)) == 0x21000210u; }, 3000));
    EXPECT_EQ(f.drive().Get(Key(5)), 0u);
    ASSERT_TRUE(f.WaitQuiet());
    EXPECT_TRUE(ch[1].check->isChecked());
    EXPECT_EQ(f.page().Channels().Source32(2), 0u);
}

TEST(ScopePage, ManualTriggerDisablesTheLevel) {
    ScopeFakeFixture f;
    ASSERT_TRUE(f.Open());
    const TriggerControls& t = f.page().Form().trigger;
    EXPECT_EQ(t.source->currentText(), "manual trigger");
    EXPECT_FALSE(t.level->isEnabled());
    EXPECT_FALSE(t.unit->isEnabled());
    EXPECT_EQ(t.source->itemText(1), "Velocity actual");  // the file's last entry first
    ASSERT_TRUE(ScopeSimFixture::Choose(t.source, "Speed limit"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.level->isEnabled(); }, 3000));
    EXPECT_EQ(f.drive().Get(Key(12)), 0x21000110u);
    EXPECT_EQ(t.unit->currentText(), "0.1rpm");  // the last unit entry
    // The level in rpm is written as raw 0.1 rpm steps.
    ASSERT_TRUE(ScopeSimFixture::Choose(t.unit, "rpm"));
    ScopeSimFixture::Type(t.level, "150");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.drive().Get(Key(13)) == 1500u; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.level->text() == "150.000000"; }, 3000));
    // The edge icon toggles the drive's edge.
    QTest::mouseClick(t.edge, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.drive().Get(Key(11)) == 1u; }, 3000));
    ASSERT_TRUE(ScopeSimFixture::Choose(t.source, "manual trigger"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !t.level->isEnabled(); }, 3000));
    EXPECT_EQ(f.drive().Get(Key(12)), 0u);
}

TEST(ScopePage, ObjectsPickedInTheBrowserBecomeTheTriggerOrTheChannelSource) {
    ScopeFakeFixture f;
    UseSpeedAndGain(f);
    ASSERT_TRUE(f.Open());
    const TriggerControls& t = f.page().Form().trigger;
    const auto& ch = f.page().Form().channels;
    const int triggerItems = t.source->count();
    QTest::mouseClick(t.pick, Qt::LeftButton);
    EXPECT_EQ(f.main().browserOpened, 1);
    ASSERT_EQ(f.g().pickRequester, f.page().Handle());
    // The browser hands back a 32-bit object the trigger list lacks: it is added first.
    platform::SendMessage(f.g().pickRequester, platform::WM_ADD_OBJECT, 0, kLimit);
    EXPECT_EQ(t.source->count(), triggerItems + 1);
    EXPECT_EQ(t.source->currentIndex(), 1);
    EXPECT_EQ(t.source->currentText(), "Limit");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.drive().Get(Key(12)) == 0x21000320u; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.level->isEnabled(); }, 3000));
    ASSERT_TRUE(f.WaitQuiet());

    // Channel 2 is ticked: the picked 32-bit object goes to the pair's slot at once.
    QTest::mouseClick(ch[1].pick, Qt::LeftButton);
    EXPECT_EQ(f.main().browserOpened, 2);
    platform::SendMessage(f.g().pickRequester, platform::WM_ADD_OBJECT, 0, kLimit);
    EXPECT_EQ(ch[1].object->currentText(), "Limit");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.drive().Get(Key(5)) == 0x21000320u; }, 3000));
    ASSERT_TRUE(f.WaitQuiet());
    EXPECT_TRUE(ch[1].check->isChecked());
    // An 8-bit object cannot feed a channel: nothing is added or written.
    const int objects = ch[3].object->count();
    f.ClearSeen();
    QTest::mouseClick(ch[3].pick, Qt::LeftButton);
    platform::SendMessage(f.g().pickRequester, platform::WM_ADD_OBJECT, 0, kState);
    EXPECT_EQ(ch[3].object->count(), objects);
    ASSERT_TRUE(f.WaitQuiet());
    EXPECT_TRUE(f.Seen(0x23).empty());
}

TEST(ScopePage, RefusedSampleCountIsReadAgainOnceAndTheSequenceGoesOn) {
    ScopeFakeFixture f;
    f.drive().Refuse(Key(10));
    ASSERT_TRUE(f.Open());
    int countReads = 0;
    for (const SeenRequest& r : f.Seen(0x40)) countReads += r.key == Key(10);
    EXPECT_EQ(countReads, 3);  // step 3, its one retry, step 13
    EXPECT_EQ(f.Seen(0x40).size(), 14u);
    EXPECT_EQ(f.page().StatusText(), "finish");
    EXPECT_EQ(f.g().acquisitionBusy, 0);
}

TEST(ScopePage, AFieldThatIsNoNumberIsNotWritten) {
    ScopeFakeFixture f;
    MsgBoxCapture boxes;
    ASSERT_TRUE(f.Open());
    f.ClearSeen();
    ScopeSimFixture::Type(f.page().Form().capture.period, "fast");
    EXPECT_TRUE(boxes.Contains("Please enter a number from 0 to 65535!"));
    ScopeSimFixture::Type(f.page().Form().capture.pointerOffset, "70000");
    EXPECT_EQ(boxes.Count(), 2);
    ASSERT_TRUE(f.WaitQuiet());
    EXPECT_TRUE(f.Seen(0x2B).empty());
    // Every field is taken on each commit: the offset must be a number again first.
    ScopeSimFixture::Type(f.page().Form().capture.pointerOffset, "100");
    ScopeSimFixture::Type(f.page().Form().capture.period, "32");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.page().samplePeriodText == "2.00ms"; }, 3000));
    EXPECT_EQ(f.drive().Get(Key(8)), 32u);
}

}  // namespace
