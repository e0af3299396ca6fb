#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "platform/msgbox.h"
#include "support/msgbox_capture.h"

using namespace platform;

namespace {
struct Recorder : MessageTarget {
    std::vector<unsigned> messages;
    std::thread::id lastThread;
    LResult OnMessage(unsigned msg, WParam w, LParam l) override {
        messages.push_back(msg);
        lastThread = std::this_thread::get_id();
        return static_cast<LResult>(w + l);
    }
};
}  // namespace

TEST(Messages, SendOnOwnThreadIsDirect) {
    Recorder r;
    EXPECT_TRUE(IsWindow(r.Handle()));
    EXPECT_EQ(SendMessage(r.Handle(), WM_LINK_VALUE, 2, 3), 5);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], 1025u);
}

TEST(Messages, DeadOrNullHandleIsDropped) {
    WindowHandle stale;
    {
        Recorder r;
        stale = r.Handle();
    }
    EXPECT_FALSE(IsWindow(stale));
    EXPECT_EQ(SendMessage(stale, WM_LINK_VALUE, 1, 1), 0);
    EXPECT_FALSE(PostMessage(stale, WM_LINK_VALUE, 1, 1));
    EXPECT_EQ(SendMessage(0, WM_LINK_VALUE, 1, 1), 0);
    Recorder fresh;
    EXPECT_NE(fresh.Handle(), stale);  // handles are never reused
}

TEST(Messages, SendFromWorkerRunsOnTargetThreadAndWaits) {
    Recorder r;
    LResult result = 0;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        result = SendMessage(r.Handle(), WM_LINK_STATE, 40, 2);
        returned = true;
    });
    while (!returned) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    worker.join();
    EXPECT_EQ(result, 42);
    EXPECT_EQ(r.lastThread, std::this_thread::get_id());
}

TEST(Messages, BlockedSendGivesUpOnCancel) {
    Recorder r;
    std::atomic<int> cancel{0};
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        SendMessage(r.Handle(), WM_LINK_STATE, 0, 0, &cancel);
        returned = true;
    });
    QTest::qSleep(30);  // the UI thread serves no events: the send stays blocked
    EXPECT_FALSE(returned.load());
    cancel = 1;
    worker.join();
    EXPECT_TRUE(returned.load());
    EXPECT_TRUE(r.messages.empty());
    QCoreApplication::processEvents();  // the late delivery still finds a live target
}

TEST(Messages, SendToTargetDestroyedWhileWaitingReturns) {
    auto* r = new Recorder;
    WindowHandle h = r->Handle();
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        SendMessage(h, WM_LINK_STATE, 0, 0);
        returned = true;
    });
    QTest::qSleep(20);
    delete r;
    worker.join();
    EXPECT_TRUE(returned.load());
    QCoreApplication::processEvents();  // the queued delivery finds no target and is dropped
}

TEST(Messages, PostIsQueuedInOrder) {
    Recorder r;
    EXPECT_TRUE(PostMessage(r.Handle(), WM_BATCH_DONE, 0, 0));
    EXPECT_TRUE(PostMessage(r.Handle(), WM_LINK_OPENED, 0, 0));
    EXPECT_TRUE(r.messages.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(r.messages, (std::vector<unsigned>{WM_BATCH_DONE, WM_LINK_OPENED}));
}

TEST(MessageBoxFunction, CaptureRecordsTextsFromAnyThread) {
    MsgBoxCapture capture(IDYES);
    EXPECT_EQ(MessageBox("Comm port isn't Open!"), IDYES);
    std::thread([] { MessageBox("Loop: No Free Memory!!\n"); }).join();
    EXPECT_EQ(capture.Texts(), (QStringList{"Comm port isn't Open!", "Loop: No Free Memory!!\n"}));
}
