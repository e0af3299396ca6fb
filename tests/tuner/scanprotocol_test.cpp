// The scan's conversation with the drive, against a small scripted drive that answers every
// request the way the drive's objects do.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

#include "tuner/scananalysis.h"
#include "tuner/scanprotocol.h"

namespace {

constexpr std::uint8_t kRead = 0x40;

struct Answer {
    bool abort = false;
    std::uint32_t value = 0;
    std::int32_t key = 0;
};

// Records the protocol's requests and answers them in order, like the control link would.
class ScriptedDrive : public CScanHost {
public:
    void SendRequest(const CLinkRequest& r) override {
        sent.push_back(r);
        Answer a{false, 0, r.key};
        if (refuseKey == r.key) {
            a.abort = true;
        } else if (r.command != kRead) {
            if (r.key == scankey::kWindow)
                address = static_cast<std::uint32_t>(r.data);
            a.value = r.key == scankey::kControl ? Status() : static_cast<std::uint32_t>(r.data);
        } else if (r.key == scankey::kControl) {
            a.value = Status();
        } else if (r.key == scankey::kWindow) {
            a.value = words.count(address) ? words[address] : 0xDEADBEEF;
            readAddresses.push_back(address);
        } else {
            a.value = objects[r.key];
        }
        pending.push_back(a);
    }
    void OnReadoutDone() override { ++done; }
    void OnScanFailed() override { ++failed; }
    void OnUnexpectedStatus() override { ++unexpected; }
    void OnHeaderValueStored() override { ++stored; }

    std::uint32_t Status() {
        if (statusScript.empty())
            return 0;
        std::uint32_t s = statusScript.front();
        if (statusScript.size() > 1 || !repeatLast)
            statusScript.pop_front();
        return s;
    }

    // Delivers answers until none is left (each may queue the next request).
    void Run(CScanProtocol& p, int& chain, int limit = 100000) {
        while (!pending.empty() && limit-- > 0) {
            Answer a = pending.front();
            pending.pop_front();
            if (a.abort)
                p.OnLinkAbort(a.key, chain);
            else
                p.OnLinkValue(a.value, a.key, chain);
            EXPECT_LE(pending.size(), 1u) << "one request outstanding at a time";
        }
    }

    std::vector<CLinkRequest> sent;
    std::deque<Answer> pending;
    std::map<std::uint32_t, std::uint32_t> words;
    std::map<std::int32_t, std::uint32_t> objects;
    std::vector<std::uint32_t> readAddresses;
    std::deque<std::uint32_t> statusScript{14, 14, 0};
    bool repeatLast = false;
    std::int32_t refuseKey = 0;
    std::uint32_t address = 0;
    int done = 0, failed = 0, unexpected = 0, stored = 0;
};

class ScanProtocolTest : public ::testing::Test {
protected:
    void StartScan(int from, int end, int step, int amplitude) {
        data.scanFrom = from, data.scanEnd = end, data.scanStep = step;
        const int typed[4] = {from, end, step, amplitude};
        for (int s = 0; s < 5; ++s) {
            protocol.ConfigurationStep(s, s < 4 ? typed[s] : 0);
            drive.Run(protocol, chain);
        }
    }

    CScanData data;
    ScriptedDrive drive;
    CScanProtocol protocol{data, drive};
    int chain = 14;  // the chain has run already
};

}  // namespace

TEST_F(ScanProtocolTest, ConfigurationWritesThenStatusThenAlternatingReadOut) {
    const int n = 19;
    for (int i = 0; i < n; ++i) {
        drive.words[2 * i] = std::uint32_t(100 + i) << 16 | std::uint16_t(-i);
        drive.words[1024 + 4 * i] = 0x0000AA00u + i;
        drive.words[1024 + 4 * i + 2] = 0x0100BB00u + i;
    }
    StartScan(4, 60, 3, 40);
    // Configuration: start, end, step (16-bit), amplitude (16-bit), then 14 (8-bit).
    ASSERT_GE(drive.sent.size(), 5u);
    const std::int32_t keys[5] = {0x304002, 0x304003, 0x304004, 0x60F910, 0x304001};
    const std::uint8_t commands[5] = {0x2B, 0x2B, 0x2B, 0x2B, 0x2F};
    const std::int32_t values[5] = {4, 60, 3, 40, 14};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(drive.sent[i].key, keys[i]) << i;
        EXPECT_EQ(drive.sent[i].command, commands[i]) << i;
        EXPECT_EQ(drive.sent[i].data, values[i]) << i;
    }
    EXPECT_EQ(data.excitationAmplitude, 40);
    EXPECT_EQ(data.pointCount, n);
    EXPECT_EQ(drive.done, 1);
    EXPECT_EQ(drive.failed, 0);
    // Status re-reads are spaced; the read-out alternates address write and read.
    EXPECT_EQ(drive.sent[5].key, 0x304001);
    EXPECT_GT(drive.sent[5].delayMs, 0);
    // Every word read exactly once, the second block from its own address 1024 on.
    ASSERT_EQ(drive.readAddresses.size(), size_t(3 * n + 1));
    for (int i = 0; i < n; ++i) EXPECT_EQ(drive.readAddresses[i], std::uint32_t(2 * i));
    for (int j = 0; j < 2 * n; ++j)
        EXPECT_EQ(drive.readAddresses[n + j], std::uint32_t(1024 + 2 * j)) << j;
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(data.excitationRe[i], 100 + i);
        EXPECT_EQ(data.excitationIm[i], -i);
        EXPECT_EQ(data.responseRaw[2 * i], RearrangeResponseWord(0x0000AA00u + i));
        EXPECT_EQ(data.responseRaw[2 * i + 1], RearrangeResponseWord(0x0100BB00u + i));
    }
    EXPECT_EQ(drive.sent.back().key, 0x30400A) << "the exponent is read last";
    EXPECT_FALSE(protocol.Active());
}

TEST_F(ScanProtocolTest, StatusRetryLimitFailsAfter2501Reads) {
    drive.statusScript = {14};
    drive.repeatLast = true;
    StartScan(4, 60, 3, 40);
    EXPECT_EQ(drive.failed, 1);
    EXPECT_EQ(drive.unexpected, 0);
    int reads = 0;
    for (const CLinkRequest& r : drive.sent) reads += r.key == 0x304001 && r.command == kRead;
    EXPECT_EQ(reads, 2501);
    EXPECT_EQ(protocol.statusRetries, 0);
    EXPECT_FALSE(protocol.Active());
}

TEST_F(ScanProtocolTest, UnexpectedStatusIsReportedOncePerScan) {
    drive.statusScript = {14, 7, 7, 9, 14, 0};
    StartScan(4, 20, 4, 40);
    EXPECT_EQ(drive.unexpected, 1);
    EXPECT_EQ(drive.done, 1);
    drive.statusScript = {5, 0};
    StartScan(4, 20, 4, 40);
    EXPECT_EQ(drive.unexpected, 2) << "once more for the next scan";
}

TEST_F(ScanProtocolTest, RefusedRequestEndsTheScanAsFailure) {
    drive.refuseKey = 0x304005;
    StartScan(4, 20, 4, 40);
    EXPECT_EQ(drive.failed, 1);
    EXPECT_EQ(drive.done, 0);
    EXPECT_FALSE(protocol.Active());
    // Nothing more is asked after the failure, and the next scan starts clean.
    size_t before = drive.sent.size();
    protocol.OnLinkValue(0, 0x304005, chain);
    EXPECT_EQ(drive.sent.size(), before);
    drive.refuseKey = 0;
    drive.statusScript = {0};
    drive.readAddresses.clear();
    StartScan(4, 20, 4, 40);
    EXPECT_EQ(drive.done, 1);
    ASSERT_FALSE(drive.readAddresses.empty());
    EXPECT_EQ(drive.readAddresses.front(), 0u);
}

TEST_F(ScanProtocolTest, AbandonedScanSendsNothingMore) {
    drive.statusScript = {14};
    drive.repeatLast = true;
    data.scanFrom = 4, data.scanEnd = 20, data.scanStep = 4;
    protocol.ConfigurationStep(4, 0);
    drive.Run(protocol, chain, 10);
    protocol.Abandon();
    size_t before = drive.sent.size();
    drive.Run(protocol, chain);
    EXPECT_LE(drive.sent.size(), before + 1);
    EXPECT_TRUE(drive.pending.empty());
}

TEST(ScanChain, ReadsThirteenObjectsOnceAndStoresTheHeaderValues) {
    CScanData data;
    ScriptedDrive drive;
    drive.objects = {{0x60F901, 400},  {0x60F902, 2000}, {0x641003, 27}, {0x607300, 3000},
                     {0x30400A, 0xFD}, {0x304006, 333},  {0x304004, 5}};
    CScanProtocol protocol(data, drive);
    int step = 1;
    protocol.ContinueChain(step);
    drive.Run(protocol, step);
    const std::int32_t order[13] = {0x304001, 0x304002, 0x304003, 0x304004, 0x304005,
                                    0x304006, 0x641003, 0x30400A, 0x60F910, 0x304007,
                                    0x607300, 0x60F901, 0x60F902};
    ASSERT_EQ(drive.sent.size(), 13u);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(drive.sent[i].key, order[i]) << i;
        EXPECT_EQ(drive.sent[i].command, kRead);
    }
    EXPECT_EQ(step, 14);
    EXPECT_EQ(data.velocityGain, 400.0f);
    EXPECT_EQ(data.velocityIntegral, 2000.0f);
    EXPECT_EQ(data.rotorInertia, 27);
    EXPECT_EQ(data.maxCurrent, 3000);
    EXPECT_EQ(data.bufferPoints, 333);
    EXPECT_EQ(data.scaleExponent, -3) << "the exponent is a signed byte";
    EXPECT_EQ(drive.stored, 6);
    // Scan settings stay the program's own; a second start of the chain sends nothing.
    EXPECT_EQ(data.scanStep, 3);
    protocol.ContinueChain(step);
    EXPECT_EQ(drive.sent.size(), 13u);
}

TEST(ScanChain, RefusedObjectDoesNotStopTheChain) {
    CScanData data;
    ScriptedDrive drive;
    drive.refuseKey = 0x304007;
    CScanProtocol protocol(data, drive);
    int step = 1;
    protocol.ContinueChain(step);
    drive.Run(protocol, step);
    EXPECT_EQ(drive.sent.size(), 13u);
    EXPECT_EQ(step, 14);
}
