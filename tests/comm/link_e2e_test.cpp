// The real components end to end: the serial one over a pseudo-terminal, the CAN one over a
// private virtual CAN bus, each against a minimal drive.
#include <gtest/gtest.h>

#include <thread>

#include "app/global.h"
#include "comm/can/bitrate.h"
#include "comm/protocol.h"
#include "recorder.h"
#include "responders.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

using namespace platform;

namespace {

constexpr std::int32_t K = 0x604100, A = 0x606C00;

CommSettings SerialSettings(const QString& path, int rate = 115200) {
    CommSettings s;
    std::snprintf(s.portName, sizeof s.portName, "%s", path.toLocal8Bit().constData());
    s.rate = rate;
    return s;
}

CommSettings CanSettings(const QString& interface, int address = 1) {
    CommSettings s;
    std::snprintf(s.adapter, sizeof s.adapter, "virtualcan:%s", interface.toLatin1().constData());
    s.driveAddress = address;
    s.rate = 0x0014;
    return s;
}

// A program's link: the runtime's components, the main window and one page.
class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(base.CopyFromRuntime("data/COM.so"));
        ASSERT_TRUE(base.CopyFromRuntime("data/CAN.so"));
        global = std::make_unique<CGlobal>(base.Path());
        global->mainWindow = main.Handle();
        main.onMessage = [this](const Recorder::Message& m) {
            if (m.msg == WM_LINK_STATE && m.w == 0) {  // as the main window does
                global->online = 2;
                global->link.Close();
            }
        };
    }
    void TearDown() override { global.reset(); }
    CCtrlLink& Link() { return global->link; }

    TempBase base;
    MsgBoxCapture boxes;
    Recorder main, page;
    std::unique_ptr<CGlobal> global;
};

using SerialLinkTest = LinkFixture;

TEST_F(SerialLinkTest, ReadsAndWritesOverAPseudoTerminal) {
    PtyResponder drive;
    ASSERT_TRUE(drive.Ok());
    drive.drive.Set(K, 0x237);
    ASSERT_EQ(Link().SetLinkKind(CComm::Serial), 1);
    Link().SetDriveAddress(1);
    ASSERT_EQ(Link().Open(SerialSettings(drive.SlavePath())), 0);
    global->online = 1;
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 1; }));
    EXPECT_EQ(page.messages[0].w, 0x237);
    Link().Request(page.Handle(), sdo::Write4, A, -1000);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 2; }));
    EXPECT_EQ(drive.drive.Get(A), -1000);
    EXPECT_EQ(main.Count(WM_LINK_STATE), 0);
}

// A stray byte on the line before a request is discarded, not taken as the reply's start.
TEST_F(SerialLinkTest, StrayInputDoesNotShiftTheNextReply) {
    PtyResponder drive;
    drive.drive.Set(K, 5);
    drive.drive.Set(A, 6);
    Link().SetLinkKind(CComm::Serial);
    Link().SetDriveAddress(1);
    ASSERT_EQ(Link().Open(SerialSettings(drive.SlavePath())), 0);
    global->online = 1;
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 1; }));
    drive.SendStray(0xEE);
    QTest::qWait(50);
    Link().Request(page.Handle(), sdo::Read, A, 0);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 2; }));
    EXPECT_EQ(page.messages[1].w, 6);
}

// A reply after the wait is a failed reply; the resend gets its own answer.
TEST_F(SerialLinkTest, LateReplyIsNotTakenForTheNextRequest) {
    PtyResponder drive;
    drive.drive.Set(K, 5);
    Link().SetLinkKind(CComm::Serial);
    Link().SetDriveAddress(1);
    ASSERT_EQ(Link().Open(SerialSettings(drive.SlavePath())), 0);
    global->online = 1;
    drive.delayMs = 700;
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(WaitFor([&] { return drive.frames >= 1; }));
    QTest::qWait(100);
    drive.delayMs = 0;
    ASSERT_TRUE(WaitFor([&] { return !page.messages.empty() || main.Count(WM_LINK_STATE); }));
    ASSERT_EQ(page.Count(WM_LINK_VALUE), 1);
    EXPECT_EQ(page.messages[0].w, 5);
}

// A line hands a frame over in pieces; the read collects them within the wait.
TEST_F(SerialLinkTest, ReplyInPiecesIsAssembled) {
    PtyResponder drive;
    drive.drive.Set(K, 0x1234);
    drive.splitPauseMs = 30;
    Link().SetLinkKind(CComm::Serial);
    Link().SetDriveAddress(1);
    ASSERT_EQ(Link().Open(SerialSettings(drive.SlavePath())), 0);
    global->online = 1;
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 1; }));
    EXPECT_EQ(page.messages[0].w, 0x1234);
    EXPECT_EQ(main.Count(WM_LINK_STATE), 0);
}

TEST_F(SerialLinkTest, RatesWithoutAConstantOpen) {
    PtyResponder drive;
    Link().SetLinkKind(CComm::Serial);
    for (int rate : {4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200}) {
        EXPECT_EQ(Link().Open(SerialSettings(drive.SlavePath(), rate)), 0) << rate;
        Link().Close();
    }
}

TEST_F(SerialLinkTest, SilentDriveTakesTheLinkDown) {
    PtyResponder drive;
    drive.silent = true;
    Link().SetLinkKind(CComm::Serial);
    ASSERT_EQ(Link().Open(SerialSettings(drive.SlavePath())), 0);
    Link().AddWatch(main.Handle(), K, 1);
    global->online = 1;
    ASSERT_TRUE(WaitFor([&] { return main.Count(WM_LINK_STATE) == 1; }));
    EXPECT_EQ(main.Count(WM_LINK_VALUE), 0);
    EXPECT_EQ(drive.frames, 3);
}

TEST_F(SerialLinkTest, UnpluggedPortTakesTheLinkDown) {
    PtyResponder drive;
    drive.drive.Set(K, 1);
    Link().SetLinkKind(CComm::Serial);
    ASSERT_EQ(Link().Open(SerialSettings(drive.SlavePath())), 0);
    Link().AddWatch(main.Handle(), K, 1);
    global->online = 1;
    ASSERT_TRUE(WaitFor([&] { return main.Count(WM_LINK_VALUE) >= 2; }));
    drive.Unplug();
    ASSERT_TRUE(WaitFor([&] { return main.Count(WM_LINK_STATE) == 1; }));
}

// Close from another thread while Read waits on the line (run under the thread sanitizer).
TEST_F(SerialLinkTest, CloseRacingARead) {
    PtyResponder drive;
    drive.silent = true;
    CComm& comm = Link().Protocol().Comm();
    comm.Load(CComm::Serial);
    for (int round = 0; round < 5; ++round) {
        CommSettings settings = SerialSettings(drive.SlavePath());
        ASSERT_EQ(comm.Open(&settings), 0);
        std::atomic<int> reads{0};
        std::thread reader([&] {
            std::uint8_t buffer[10];
            int count = 0;
            while (comm.Read(buffer, &count) == 0) ++reads;
        });
        while (reads.load() == 0 && round % 2) std::this_thread::yield();
        comm.Close();
        reader.join();
    }
    comm.Load(CComm::Serial);  // replacing the object while nobody reads
    SUCCEED();
}

class CanLinkTest : public LinkFixture {
protected:
    // The shared drive holds the bus hub; it ends with the suite, before the program's end.
    static void TearDownTestSuite() { CanResponder::Shared().Stop(); }
};

TEST_F(CanLinkTest, ReadsAndWritesOverAVirtualBus) {
    CanResponder& drive = CanResponder::Shared();
    ASSERT_TRUE(drive.Ok());
    drive.Reset(3);
    QString bus = drive.Interface();
    drive.drive.Set(K, 0x1234);
    ASSERT_EQ(Link().SetLinkKind(CComm::Can), 1);
    Link().SetDriveAddress(3);
    ASSERT_EQ(Link().Open(CanSettings(bus, 3)), 0);
    char version[256] = {};
    EXPECT_NE(Link().GetVersion(version), 0);
    EXPECT_TRUE(QString(version).startsWith("virtualcan:" + bus + ":")) << version;
    global->online = 1;
    Link().Request(page.Handle(), sdo::Read, K, 0);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 1; }));
    EXPECT_EQ(page.messages[0].w, 0x1234);  // not the other node's value
    Link().Request(page.Handle(), sdo::Write2, A, 77);
    ASSERT_TRUE(WaitFor([&] { return page.Count(WM_LINK_VALUE) == 2; }));
    EXPECT_EQ(drive.drive.Get(A), 77);
}

TEST_F(CanLinkTest, SilentDriveTakesTheLinkDown) {
    CanResponder& drive = CanResponder::Shared();
    ASSERT_TRUE(drive.Ok());
    drive.Reset(1);
    QString bus = drive.Interface();
    drive.silent = true;
    Link().SetLinkKind(CComm::Can);
    Link().SetDriveAddress(1);
    ASSERT_EQ(Link().Open(CanSettings(bus)), 0);
    Link().AddWatch(main.Handle(), K, 1);
    global->online = 1;
    ASSERT_TRUE(WaitFor([&] { return main.Count(WM_LINK_STATE) == 1; }));
    EXPECT_EQ(main.Count(WM_LINK_VALUE), 0);
    EXPECT_EQ(drive.frames, 3);
}

TEST_F(CanLinkTest, CloseRacingARead) {
    CanResponder& drive = CanResponder::Shared();
    ASSERT_TRUE(drive.Ok());
    drive.Reset(1);
    QString bus = drive.Interface();
    drive.silent = true;
    CComm& comm = Link().Protocol().Comm();
    ASSERT_EQ(comm.Load(CComm::Can), 1);
    for (int round = 0; round < 3; ++round) {
        CommSettings settings = CanSettings(bus);
        ASSERT_EQ(comm.Open(&settings), 0);
        std::atomic<int> calls{0};
        std::thread worker([&] {
            CanMessage m;
            m.id = 0x601;
            m.length = 8;
            while (comm.Write(m) == 0) {
                ++calls;
                CanMessage reply;
                comm.Read(reply);
            }
        });
        while (calls.load() == 0) std::this_thread::yield();
        comm.Close();
        worker.join();
    }
    SUCCEED();
}

TEST_F(CanLinkTest, MissingPluginOrBusIsAnErrorNotAHang) {
    Link().SetLinkKind(CComm::Can);
    CommSettings settings = CanSettings("x");
    std::snprintf(settings.adapter, sizeof settings.adapter, "%s", "nosuchplugin:can0");
    EXPECT_NE(Link().Open(settings), 0);
    char version[256] = {};
    EXPECT_EQ(Link().GetVersion(version), 0);
}

TEST(CanBitRate, PcanCodesMapToBitRates) {
    EXPECT_EQ(PcanBitRate(0x0014), 1000000);
    EXPECT_EQ(PcanBitRate(0x001C), 500000);
    EXPECT_EQ(PcanBitRate(0x011C), 250000);
    EXPECT_EQ(PcanBitRate(0x031C), 125000);
    EXPECT_EQ(PcanBitRate(0x432F), 100000);
    EXPECT_EQ(PcanBitRate(0x472F), 50000);
    EXPECT_EQ(PcanBitRate(0x532F), 20000);
    EXPECT_EQ(PcanBitRate(0x672F), 10000);
    EXPECT_EQ(PcanBitRate(0x7F7F), 5000);
    EXPECT_EQ(PcanBitRate(28), 500000);  // the settings file stores the code in decimal
    EXPECT_EQ(PcanBitRate(26415), 10000);
    EXPECT_EQ(PcanBitRate(1234), 0);
}

}  // namespace
