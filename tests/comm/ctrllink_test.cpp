// The worker's ordering and polling rules against a scripted component; outcomes arrive as
// messages on the UI thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "app/global.h"
#include "comm/protocol.h"
#include "fake_link.h"
#include "platform/profile.h"
#include "recorder.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

using namespace platform;

namespace {

constexpr std::int32_t K = 0x604100, A = 0x606C00, B = 0x607A00;

class CtrlLinkTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        global = std::make_unique<CGlobal>(base.Path());
        global->mainWindow = main.Handle();
        Link().Protocol().SetLinkKind(GetParam());
        if (IsCan())
            Link().Protocol().Comm().Attach(NewFakeCan(script));
        else
            Link().Protocol().Comm().Attach(NewFakeSerial(script));
        Link().SetDriveAddress(1);
        script->SetResponder([this](const SeenRequest& r) { return drive.Answer(r, IsCan(), 1); });
    }
    void TearDown() override {
        script->Release();
        global.reset();
    }
    bool IsCan() const { return GetParam() == CComm::Can; }
    CCtrlLink& Link() { return global->link; }
    void Go() { global->online = 1; }
    void SetDrive(std::int32_t key, std::int32_t value) { drive.Set(key, value); }
    std::vector<std::int32_t> FirstKeys(size_t n) {
        auto keys = script->Keys();
        keys.resize(std::min(n, keys.size()));
        return keys;
    }

    TempBase base;
    Recorder main, page, other;
    FakeDrive drive;
    std::shared_ptr<FakeScript> script = std::make_shared<FakeScript>();
    std::unique_ptr<CGlobal> global;
};

TEST_P(CtrlLinkTest, RequestsWhileTheLinkIsNotOpenAreDropped) {
    EXPECT_EQ(Link().Request(page.Handle(), sdo::Read, K, 0), 0);
    global->online = 2;
    EXPECT_EQ(Link().Request(page.Handle(), sdo::Read, K, 0), 0);
    global->online = 1;
    QTest::qWait(100);
    EXPECT_EQ(script->Writes(), 0);
    EXPECT_TRUE(page.messages.empty());
}

TEST_P(CtrlLinkTest, ValueArrivesAtTheRequestWindowOnTheUiThread) {
    SetDrive(A, -5);
    Go();
    Link().Request(page.Handle(), sdo::Read, A, 0);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 1; }));
    EXPECT_EQ(page.messages[0].w, -5);
    EXPECT_EQ(page.messages[0].l, A);
    EXPECT_EQ(page.offThread, 0);
}

// The newest request runs first; those it displaced follow in arrival order.
TEST_P(CtrlLinkTest, NewestRequestRunsFirstThenTheDisplacedInOrder) {
    Go();
    script->Hold();
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(script->WaitUntilHeld());
    Link().Request(page.Handle(), sdo::Read, A, 0);
    Link().Request(page.Handle(), sdo::Read, B, 0);
    Link().Request(page.Handle(), sdo::Read, 0x200001, 0);
    script->Release();
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 4; }));
    EXPECT_EQ(script->Keys(), (std::vector<std::int32_t>{K, 0x200001, A, B}));
    EXPECT_EQ(page.Keys(WM_LINK_VALUE), (std::vector<std::int32_t>{K, 0x200001, A, B}));
}

TEST_P(CtrlLinkTest, ExclusiveOwnerDropsOthersAndKeepsOnlyItsNewest) {
    global->exclusiveMode = 1;
    global->exclusiveOwner = page.Handle();
    Go();
    script->Hold();
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(script->WaitUntilHeld());
    EXPECT_EQ(Link().Request(other.Handle(), sdo::Read, 0x200001, 0), 0);
    Link().Request(page.Handle(), sdo::Read, A, 0);
    Link().Request(page.Handle(), sdo::Read, B, 0);
    script->Release();
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 2; }));
    QTest::qWait(50);
    EXPECT_EQ(script->Keys(), (std::vector<std::int32_t>{K, B}));
    EXPECT_TRUE(other.messages.empty());
}

TEST_P(CtrlLinkTest, HeldQueueIsReleasedInOrder) {
    global->priorityWindow = other.Handle();
    global->serveHeldQueue = 0;
    Go();
    EXPECT_EQ(Link().Request(page.Handle(), sdo::Read, A, 0), 1);
    EXPECT_EQ(Link().Request(page.Handle(), sdo::Read, B, 0), 1);
    EXPECT_EQ(Link().HeldQueueEmpty(), 0);
    EXPECT_EQ(Link().Request(other.Handle(), sdo::Read, K, 0), 0);
    ASSERT_TRUE(WaitFor([&] { return other.Count(WM_LINK_VALUE) == 1; }));
    QTest::qWait(100);
    EXPECT_EQ(script->Keys(), std::vector<std::int32_t>{K});
    global->serveHeldQueue = 1;
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 2; }));
    EXPECT_EQ(script->Keys(), (std::vector<std::int32_t>{K, A, B}));
    EXPECT_EQ(Link().HeldQueueEmpty(), 1);
}

// A request arriving during an exchange is neither lost nor run twice.
TEST_P(CtrlLinkTest, RequestDuringAnExchangeRunsOnce) {
    Go();
    script->Hold();
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(script->WaitUntilHeld());
    Link().Request(page.Handle(), sdo::Write2, A, 9);
    script->Release();
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 2; }));
    QTest::qWait(50);
    EXPECT_EQ(script->Keys(), (std::vector<std::int32_t>{K, A}));
    EXPECT_EQ(drive.Get(A), 9);
}

// Each reply triggers the next request from the handler, as pages read their rows.
TEST_P(CtrlLinkTest, HandlersMayChainRequests) {
    for (int i = 0; i < 20; ++i) SetDrive(0x210000 + i, i * 3);
    page.onMessage = [&](const Recorder::Message& m) {
        if (m.l < 0x210000 + 19)
            Link().Request(page.Handle(), sdo::Read, m.l + 1, 0);
    };
    Go();
    Link().Request(page.Handle(), sdo::Read, 0x210000, 0);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 20; }));
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(page.messages[i].l, 0x210000 + i);
        EXPECT_EQ(page.messages[i].w, i * 3);
    }
    EXPECT_EQ(script->Writes(), 20);
}

TEST_P(CtrlLinkTest, RefusedWriteReportsTheCurrentValue) {
    SetDrive(A, 1234);
    {
        std::lock_guard lock(drive.mutex);
        drive.refused.push_back(A);
    }
    Go();
    Link().Request(page.Handle(), sdo::Write4, A, 99);
    ASSERT_TRUE(WaitFor([&] { return !page.messages.empty(); }));
    EXPECT_EQ(page.messages[0].msg, WM_LINK_VALUE);
    EXPECT_EQ(page.messages[0].w, 1234);
}

TEST_P(CtrlLinkTest, RefusedReadReportsTheAbortCode) {
    Go();
    script->Push(FakeReply{SerialFrame(1, 0x80, A, 0x06020000), CanReply(1, 0x80, A, 0x06020000)});
    Link().Request(page.Handle(), sdo::Read, A, 0);
    ASSERT_TRUE(WaitFor([&] { return !page.messages.empty(); }));
    EXPECT_EQ(page.messages[0].msg, WM_LINK_ABORT);
    EXPECT_EQ(page.messages[0].w, 0x06020000);
    EXPECT_EQ(page.messages[0].l, A);
}

TEST_P(CtrlLinkTest, SegmentReplyIsReadInTheHandler) {
    Bytes frame = SerialFrame(1, 0x0B, 0, 0);
    frame[2] = 'h';
    frame[3] = 'i';
    frame[9] = CProtocol::Checksum(frame.data());
    CanMessage message = CanReply(1, 0x0B, 0, 0);
    message.data[1] = 'h';
    message.data[2] = 'i';
    script->Push(FakeReply{frame, message});
    std::string text;
    page.onMessage = [&](const Recorder::Message& m) {
        if (m.msg != WM_LINK_SEGMENT)
            return;
        const std::uint8_t* data = nullptr;
        std::uint8_t count = 0;
        Link().GetSegment(data, count);
        text.assign(reinterpret_cast<const char*>(data), count);
    };
    Go();
    Link().Request(page.Handle(), sdo::SegmentEven, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !page.messages.empty(); }));
    EXPECT_EQ(text, "hi");
}

// A silent drive takes the link down: the failure goes to the main window, nothing to the page.
TEST_P(CtrlLinkTest, SilentDriveReportsTheLinkDown) {
    script->SetResponder([](const SeenRequest&) { return FakeReply{}; });
    Go();
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(WaitFor([&] { return main.Count(WM_LINK_STATE) == 1; }));
    EXPECT_EQ(main.messages[0].w, 0);
    EXPECT_TRUE(page.messages.empty());
    EXPECT_EQ(script->Writes(), 3);
}

TEST_P(CtrlLinkTest, SilentDriveFailsTheStatusWordPoll) {
    script->SetResponder([](const SeenRequest&) { return FakeReply{}; });
    main.onMessage = [&](const Recorder::Message& m) {
        if (m.msg == WM_LINK_STATE && m.w == 0)
            global->online = 2;  // the main window closes
    };
    Link().AddWatch(main.Handle(), K, 1);
    Go();
    ASSERT_TRUE(WaitFor([&] { return main.Count(WM_LINK_STATE) == 1; }));
    EXPECT_EQ(main.Count(WM_LINK_VALUE), 0);
}

// The undecodable reply carries 1; the last decoded value is 0x237. Every wait below is for an
// event the worker has provably finished (its reports are sent synchronously), never for time.
TEST_P(CtrlLinkTest, UndecodedPollStillReportsTheLastValue) {
    SetDrive(K, 0x237);
    Link().AddWatch(main.Handle(), K, 1);
    Go();
    ASSERT_TRUE(WaitFor([&] { return main.Count(WM_LINK_VALUE) >= 1; }));
    // Shared with the responder, which the worker may still call after the test body ends.
    auto undecodable = std::make_shared<std::atomic<int>>(0);
    const bool can = IsCan();
    auto garbled = [can, undecodable, this](const SeenRequest& r) {
        if (r.key == A)
            return drive.Answer(r, can, 1);
        ++*undecodable;
        return FakeReply{SerialFrame(1, 0x47, r.key, 1), CanReply(1, 0x47, r.key, 1)};
    };
    const size_t seen = main.messages.size();
    script->SetResponder(garbled);
    // The third garbled reply means the first two polls have been reported.
    ASSERT_TRUE(WaitFor([&] { return *undecodable >= 3; }));
    ASSERT_TRUE(WaitFor([&] { return main.messages.size() >= seen + 2; }));
    for (size_t i = seen; i < main.messages.size(); ++i) {
        EXPECT_EQ(main.messages[i].msg, WM_LINK_VALUE);
        EXPECT_EQ(main.messages[i].w, 0x237);
    }

    // A request with the same reply reports nothing: a readable request queued behind it is
    // the first and only thing the page hears.
    global->pollingEnabled = 0;
    Link().Request(page.Handle(), sdo::Read, B, 0);
    ASSERT_TRUE(WaitFor([&] {
        auto keys = script->Keys();
        return std::find(keys.begin(), keys.end(), B) != keys.end();
    }));
    Link().Request(page.Handle(), sdo::Read, A, 0);
    ASSERT_TRUE(WaitFor([&] { return !page.messages.empty(); }));
    ASSERT_EQ(page.messages.size(), 1u);
    EXPECT_EQ(page.messages[0].msg, WM_LINK_VALUE);
    EXPECT_EQ(page.messages[0].l, A);
}

TEST_P(CtrlLinkTest, PollScheduleAlternatesKindsWithAnEmptyKind1Step) {
    Link().AddWatch(main.Handle(), K, 1);
    Link().AddWatch(page.Handle(), A, 2);
    Link().AddWatch(page.Handle(), B, 2);
    Go();
    ASSERT_TRUE(WaitFor([&] { return script->Writes() >= 8; }));
    EXPECT_EQ(FirstKeys(8), (std::vector<std::int32_t>{K, A, K, B, K, A, K, B}));
    EXPECT_EQ(main.Keys(WM_LINK_VALUE).front(), K);
    EXPECT_GE(page.Count(WM_LINK_VALUE), 2);
}

TEST_P(CtrlLinkTest, PollScheduleWithTheKind1WatchLastMovesTheEmptyStep) {
    Link().AddWatch(page.Handle(), A, 2);
    Link().AddWatch(page.Handle(), B, 2);
    Link().AddWatch(main.Handle(), K, 1);
    Go();
    ASSERT_TRUE(WaitFor([&] { return script->Writes() >= 10; }));
    EXPECT_EQ(FirstKeys(10), (std::vector<std::int32_t>{K, A, K, B, K, K, A, K, B, K}));
}

TEST_P(CtrlLinkTest, DeactivatedWatchesAreNotPolled) {
    Link().AddWatch(main.Handle(), K, 1);
    Link().AddWatch(page.Handle(), A, 2);
    EXPECT_EQ(Link().DeactivateWatches(page.Handle()), 1);
    Go();
    ASSERT_TRUE(WaitFor([&] { return script->Writes() >= 4; }));
    for (std::int32_t key : script->Keys()) EXPECT_EQ(key, K);
    EXPECT_EQ(Link().ActivateWatches(page.Handle()), 1);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) >= 1; }));
}

TEST_P(CtrlLinkTest, PollingDisabledMeansNoTrafficUntilARequest) {
    global->pollingEnabled = 0;
    Link().AddWatch(main.Handle(), K, 1);
    Go();
    QTest::qWait(200);
    EXPECT_EQ(script->Writes(), 0);
    Link().Request(page.Handle(), sdo::Read, A, 0);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 1; }));
    QTest::qWait(100);
    EXPECT_EQ(script->Keys(), std::vector<std::int32_t>{A});
}

TEST_P(CtrlLinkTest, StopEndsTheWorker) {
    Link().AddWatch(main.Handle(), K, 1);
    Go();
    ASSERT_TRUE(WaitFor([&] { return script->Writes() >= 1; }));
    global->stopWorker = 1;
    QTest::qWait(100);
    // A poll already past its stop check may still go out late on a loaded machine; the
    // request made after the stop never does.
    Link().Request(page.Handle(), sdo::Read, A, 0);
    QTest::qWait(100);
    auto keys = script->Keys();
    EXPECT_EQ(std::find(keys.begin(), keys.end(), A), keys.end());
    EXPECT_TRUE(page.messages.empty());
}

// The program ends while the worker waits for a reply or for an unserved message.
TEST_P(CtrlLinkTest, DestructionWhileTheWorkerIsBusyDoesNotHang) {
    Go();
    script->Hold();
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(script->WaitUntilHeld());
    global.reset();  // closes the component, which lets the read go
    SUCCEED();
}

TEST_P(CtrlLinkTest, DestructionWhileAMessageIsUnservedDoesNotHang) {
    Go();
    Link().Request(page.Handle(), sdo::Read, K, 0);
    while (script->Reads() == 0) QThread::msleep(1);  // no event pumping from here on
    QThread::msleep(20);
    global.reset();
    SUCCEED();
}

TEST_P(CtrlLinkTest, CloseDuringAReadLetsTheWorkerGo) {
    main.onMessage = [&](const Recorder::Message& m) {
        if (m.msg == WM_LINK_STATE)
            global->online = 2;
    };
    Go();
    script->Hold();
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(script->WaitUntilHeld());
    global->online = 2;
    Link().Close();
    script->Release();
    ASSERT_TRUE(WaitFor([&] { return main.Count(WM_LINK_STATE) == 1; }));
    EXPECT_TRUE(page.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Links, CtrlLinkTest,
                         ::testing::Values(int(CComm::Serial), int(CComm::Can)),
                         [](const auto& info) {
                             return info.param == CComm::Serial ? "Serial" : "Can";
                         });

TEST(CtrlLinkWatches, DuplicatesAndLookups) {
    TempBase base;
    CGlobal global(base.Path());
    CCtrlLink& link = global.link;
    EXPECT_EQ(link.ActivateWatches(5), 0);  // empty list
    EXPECT_EQ(link.DeactivateWatches(5), 0);
    EXPECT_EQ(link.AddWatch(5, K, 1), 1);
    EXPECT_EQ(link.AddWatch(5, K, 2), 0);
    EXPECT_EQ(link.AddWatch(6, K, 1), 1);
    EXPECT_EQ(link.FindWatch(5, K), 1);
    EXPECT_EQ(link.FindWatch(5, A), 0);
    EXPECT_EQ(link.DeactivateWatches(7), 1);  // non-empty list, no watch of that window
    EXPECT_EQ(link.ActivateWatchKey(K), 1);
    EXPECT_EQ(link.ActivateWatchKey(A), 0);
    EXPECT_EQ(link.HeldQueueEmpty(), 1);
}

}  // namespace

namespace {

TEST(CtrlLinkKind, CanKindMarksTheSettingsFile) {
    TempBase base;
    CGlobal global(base.Path());
    global.link.SetLinkKind(CComm::Serial);
    EXPECT_EQ(global.canMarked, 0);
    EXPECT_TRUE(platform::GetProfileString(global.settingsPath, "sys", "can").isEmpty());
    EXPECT_EQ(global.link.SetLinkKind(CComm::Can), 0);  // no module in this data folder
    EXPECT_EQ(global.canMarked, 1);
    EXPECT_EQ(platform::GetProfileString(global.settingsPath, "sys", "can"), "1");
}

}  // namespace
