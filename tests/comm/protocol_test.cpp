// Frames, retries and decoding of the wire protocol against scripted components.
#include <gtest/gtest.h>

#include "comm/protocol.h"
#include "fake_link.h"
#include "reply_fuzz.h"
#include "support/fuzz_replay.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

namespace {

constexpr std::int32_t kStatusWord = 0x604100;

FakeReply Serial(Bytes bytes) {
    return FakeReply{std::move(bytes), std::nullopt, false, false};
}
FakeReply Can(CanMessage m) {
    return FakeReply{{}, m, false, false};
}
FakeReply Silence() {
    return FakeReply{};
}
FakeReply WriteFails() {
    return FakeReply{{}, std::nullopt, true, false};
}

Bytes BadChecksum(Bytes frame) {
    frame[9] ^= 0x5A;
    return frame;
}

class ProtocolTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        protocol.SetLinkKind(Kind());  // no module in the temporary data folder
        if (Kind() == CComm::Serial)
            protocol.Comm().Attach(NewFakeSerial(script));
        else
            protocol.Comm().Attach(NewFakeCan(script));
        protocol.SetDriveAddress(1);
    }
    int Kind() const { return GetParam(); }
    bool IsCan() const { return Kind() == CComm::Can; }
    FakeReply Good(std::uint8_t code, std::int32_t key, std::int32_t value) {
        return IsCan() ? Can(CanReply(1, code, key, value))
                       : Serial(SerialFrame(1, code, key, value));
    }
    FakeReply Bad() {
        // A serial frame with a wrong checksum; on CAN the component hands over no frame.
        return IsCan() ? Silence() : Serial(BadChecksum(SerialFrame(1, 0x43, kStatusWord, 7)));
    }
    std::uint8_t status = 0xFF;
    std::int32_t value = 0;
    TempBase base;
    std::shared_ptr<FakeScript> script = std::make_shared<FakeScript>();
    CProtocol protocol{base.Path() + "/data/"};
};

TEST(ProtocolFrame, ChecksumMakesTheFrameSumToZero) {
    const std::uint8_t bytes[9] = {0x01, 0x40, 0x41, 0x60, 0, 0, 0, 0, 0};
    EXPECT_EQ(CProtocol::Checksum(bytes), 0x1E);
}

TEST_P(ProtocolTest, ReadOfTheStatusWordGoesOutAsTheStandardFrame) {
    script->Push(Good(0x4B, kStatusWord, 0x1237));
    ASSERT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), 0);
    auto requests = script->Requests();
    ASSERT_EQ(requests.size(), 1u);
    if (IsCan())
        EXPECT_EQ(requests[0].raw, (Bytes{0x01, 0x06, 0, 0, 0x40, 0x41, 0x60, 0, 0, 0, 0, 0}));
    else
        EXPECT_EQ(requests[0].raw, (Bytes{0x01, 0x40, 0x41, 0x60, 0, 0, 0, 0, 0, 0x1E}));
    ASSERT_EQ(protocol.GetResult(status, value), 1);
    EXPECT_EQ(status, CProtocol::Value);
    EXPECT_EQ(value, 0x1237);
}

TEST_P(ProtocolTest, TwoByteWriteCarriesDataLeastSignificantFirst) {
    script->Push(Good(0x60, 0x201001, 0x1234));
    ASSERT_EQ(protocol.Transact(0x201001, sdo::Write2, 0x1234), 0);
    const Bytes raw = script->Requests().at(0).raw;
    const int at = IsCan() ? 4 : 1;
    EXPECT_EQ(Bytes(raw.begin() + at, raw.begin() + at + 8),
              (Bytes{0x2B, 0x10, 0x20, 0x01, 0x34, 0x12, 0x00, 0x00}));
    protocol.GetResult(status, value);
    EXPECT_EQ(status, CProtocol::Value);
    EXPECT_EQ(value, 0x1234);
}

TEST_P(ProtocolTest, RefusedWriteIsAnsweredWithTheCurrentValue) {
    script->Push(Good(0x80, 0x201001, 0x06010002));
    script->Push(Good(0x4B, 0x201001, 77));
    ASSERT_EQ(protocol.Transact(0x201001, sdo::Write2, 5), 0);
    auto requests = script->Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].command, sdo::Read);
    EXPECT_EQ(requests[1].key, 0x201001);
    EXPECT_EQ(requests[1].data, 5);
    protocol.GetResult(status, value);
    EXPECT_EQ(status, CProtocol::Value);
    EXPECT_EQ(value, 77);
}

TEST_P(ProtocolTest, RefusedReadIsReportedWithTheAbortCode) {
    script->Push(Good(0x80, 0x201001, 0x06020000));
    ASSERT_EQ(protocol.Transact(0x201001, sdo::Read, 0), 0);
    EXPECT_EQ(script->Writes(), 1);
    protocol.GetResult(status, value);
    EXPECT_EQ(status, CProtocol::Aborted);
    EXPECT_EQ(value, 0x06020000);
}

TEST_P(ProtocolTest, ThreeFailedRepliesEndTheExchange) {
    for (int i = 0; i < 3; ++i) script->Push(Bad());
    script->Push(Good(0x43, kStatusWord, 1));  // never asked for
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), CProtocol::BadReplies);
    EXPECT_EQ(script->Writes(), 3);
}

TEST_P(ProtocolTest, GoodReplyOnTheThirdTryIsTaken) {
    script->Push(Bad());
    script->Push(Bad());
    script->Push(Good(0x43, kStatusWord, 0x11223344));
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), 0);
    EXPECT_EQ(script->Writes(), 3);
    protocol.GetResult(status, value);
    EXPECT_EQ(value, 0x11223344);
}

// A drive that never answers must not look connected.
TEST_P(ProtocolTest, SilentDriveEndsTheExchangeWithAFailure) {
    EXPECT_NE(protocol.Transact(kStatusWord, sdo::Read, 0), 0);
    EXPECT_EQ(script->Writes(), 3);
    EXPECT_EQ(script->Reads(), 3);
}

TEST_P(ProtocolTest, VanishedAdapterFailsEveryRead) {
    for (int i = 0; i < 3; ++i) script->Push(FakeReply{{}, std::nullopt, false, true});
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), CProtocol::BadReplies);
}

TEST_P(ProtocolTest, ThreeFailedSendsEndTheExchange) {
    for (int i = 0; i < 3; ++i) script->Push(WriteFails());
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), CProtocol::SendFailures);
    EXPECT_EQ(script->Reads(), 0);
}

TEST_P(ProtocolTest, FailedSendWithoutRetryReturnsAtOnce) {
    protocol.retryOnSendFailure = 0;
    script->Push(WriteFails());
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), 0);
    EXPECT_EQ(script->Writes(), 1);
    EXPECT_EQ(script->Reads(), 0);
}

TEST_P(ProtocolTest, UndecodableReadReplyKeepsThePreviousValue) {
    script->Push(Good(0x43, kStatusWord, 42));
    script->Push(Good(0x47, kStatusWord, 9999));
    protocol.Transact(kStatusWord, sdo::Read, 0);
    protocol.GetResult(status, value);
    ASSERT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), 0);
    protocol.GetResult(status, value);
    EXPECT_EQ(status, CProtocol::Undecoded);
    EXPECT_EQ(value, 42);
}

TEST_P(ProtocolTest, ReplyCodesDecodeByWidth) {
    struct Case {
        std::uint8_t command, code;
        std::int32_t raw, expected;
    } cases[] = {
        {sdo::Read, 0x43, -2, -2},
        {sdo::Read, 0x4B, 0x7FFFF, 0xFFFF},
        {sdo::Read, 0x4F, 0x1FF, 0xFF},
        {sdo::Read, 0x42, 0x1234, 0x34},
        {sdo::Read, 0x41, 0x0305, 0x05},
        {sdo::Write4, 0x60, 0x12345678, 0x12345678},
        {sdo::Write2, 0x60, 0x12345678, 0x5678},
        {sdo::Write1, 0x60, 0x12345678, 0x78},
    };
    for (const Case& c : cases) {
        script->Push(Good(c.code, 0x300001, c.raw));
        ASSERT_EQ(protocol.Transact(0x300001, c.command, 0), 0);
        protocol.GetResult(status, value);
        EXPECT_EQ(status, CProtocol::Value) << int(c.command) << " " << int(c.code);
        EXPECT_EQ(value, c.expected) << int(c.command) << " " << int(c.code);
    }
}

TEST_P(ProtocolTest, SegmentReplyGivesItsDataBytes) {
    script->Push(Good(0x43, kStatusWord, 5));
    protocol.Transact(kStatusWord, sdo::Read, 0);
    protocol.GetResult(status, value);
    FakeReply segment = Good(0x0B, 0, 0);
    std::uint8_t* data = IsCan() ? segment.message->data + 1 : segment.bytes.data() + 2;
    data[0] = 'A';
    data[1] = 'B';
    if (!IsCan())
        segment.bytes[9] = CProtocol::Checksum(segment.bytes.data());
    script->Push(segment);
    ASSERT_EQ(protocol.Transact(0, sdo::SegmentEven, 0), 0);
    protocol.GetResult(status, value);
    EXPECT_EQ(status, CProtocol::Segment);
    EXPECT_EQ(value, 5);
    const std::uint8_t* bytes = nullptr;
    std::uint8_t count = 0;
    protocol.GetSegment(bytes, count);
    EXPECT_EQ(count, 2);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[0], 'A');
    EXPECT_EQ(bytes[1], 'B');
}

TEST_P(ProtocolTest, UploadSizeAndLastSegmentBitOfTheReply) {
    script->Push(Good(0x41, 0x231000, 8192));
    ASSERT_EQ(protocol.Transact(0x231000, sdo::Read, 0), 0);
    EXPECT_EQ(protocol.AnnouncedSize(), 8192);
    script->Push(Good(0x11, 0, 0));  // toggle 1, seven bytes, the last segment
    ASSERT_EQ(protocol.Transact(0, sdo::SegmentOdd, 0), 0);
    EXPECT_TRUE(protocol.SegmentIsLast());
    EXPECT_EQ(protocol.AnnouncedSize(), -1);
    script->Push(Good(0x00, 0, 0));
    ASSERT_EQ(protocol.Transact(0, sdo::SegmentEven, 0), 0);
    EXPECT_FALSE(protocol.SegmentIsLast());
}

INSTANTIATE_TEST_SUITE_P(Links, ProtocolTest,
                         ::testing::Values(int(CComm::Serial), int(CComm::Can)),
                         [](const auto& info) {
                             return info.param == CComm::Serial ? "Serial" : "Can";
                         });

class SerialProtocolTest : public ProtocolTest {};

TEST_P(SerialProtocolTest, ShortAndGarbledRepliesCountAsFailed) {
    Bytes torn = SerialFrame(1, 0x43, kStatusWord, 0);
    torn.resize(9);  // the checksum would be zero: still not a frame
    script->Push(Serial(torn));
    script->Push(Serial({0xFF, 0x13, 0x37}));
    script->Push(Serial(SerialFrame(1, 0x43, kStatusWord, 3)));
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), 0);
    EXPECT_EQ(script->Writes(), 3);
    protocol.GetResult(status, value);
    EXPECT_EQ(value, 3);
}

// At most three send failures and three bad replies: five sends in all.
TEST_P(SerialProtocolTest, SendFailuresAndBadRepliesAreCountedApart) {
    script->Push(WriteFails());
    script->Push(Bad());
    script->Push(WriteFails());
    script->Push(Bad());
    script->Push(Bad());
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), CProtocol::BadReplies);
    EXPECT_EQ(script->Writes(), 5);
}

INSTANTIATE_TEST_SUITE_P(Links, SerialProtocolTest, ::testing::Values(int(CComm::Serial)));

TEST(ProtocolKinds, NothingIsSentWithoutALink) {
    TempBase base;
    CProtocol protocol(base.Path() + "/data/");
    auto script = std::make_shared<FakeScript>();
    protocol.Comm().Attach(NewFakeSerial(script));
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), CProtocol::NoObject);
    std::uint8_t status = 9;
    std::int32_t value = 9;
    EXPECT_EQ(protocol.GetResult(status, value), 0);
    EXPECT_EQ(status, 9);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(script->Writes(), 0);
    protocol.SetLinkKind(CComm::Can);  // no CAN object
    EXPECT_EQ(protocol.Transact(kStatusWord, sdo::Read, 0), CProtocol::NoObject);
    EXPECT_EQ(protocol.GetVersion(nullptr), 0);
}

TEST(ReplyFuzzCorpus, EverySeedDecodes) {
    MsgBoxCapture boxes;  // no component in the fuzz entry's folder
    EXPECT_GE(ReplayFuzzCorpus("comm/fuzz_corpus/serial_reply", FuzzSerialReply), 5);
    EXPECT_GE(ReplayFuzzCorpus("comm/fuzz_corpus/can_reply", FuzzCanReply), 5);
}

}  // namespace
