#include <gtest/gtest.h>

#include "abortcode.h"
#include "drive.h"
#include "sdoserver.h"
#include "sim_table.h"

using vsim::SdoFrame;

namespace {

SdoFrame Request(uint8_t cmd, uint32_t key, uint32_t data = 0) {
    return {cmd,           uint8_t(key >> 8),  uint8_t(key >> 16),  uint8_t(key),
            uint8_t(data), uint8_t(data >> 8), uint8_t(data >> 16), uint8_t(data >> 24)};
}

class SdoServerTest : public ::testing::Test {
protected:
    SdoFrame Ask(uint8_t cmd, uint32_t key, uint32_t data = 0) {
        auto reply = server.Handle(Request(cmd, key, data));
        EXPECT_TRUE(reply.has_value());
        return reply.value_or(SdoFrame{});
    }
    void ExpectAbort(const SdoFrame& r, uint32_t key, uint32_t code) {
        EXPECT_EQ(r[0], 0x80);
        EXPECT_EQ(vsim::FrameKey(r), key);
        EXPECT_EQ(vsim::FrameData(r), code) << std::hex << vsim::FrameData(r);
    }
    // Reads a segmented object to its end; returns the bytes and the segment codes.
    QByteArray Segments(std::vector<uint8_t>& codes) {
        QByteArray data;
        for (int toggle = 0; codes.size() < 100; toggle ^= 1) {
            SdoFrame r = Ask(toggle ? 0x70 : 0x60, 0);
            codes.push_back(r[0]);
            const int count = 7 - ((r[0] / 2) % 8);  // as the program counts them
            data.append(reinterpret_cast<const char*>(&r[1]), count);
            if (count < 7)
                break;
        }
        return data;
    }

    vsim::CObjectTable table = TestTable();
    vsim::CDrive drive{table};
    vsim::CSdoServer server{drive};
};

}  // namespace

TEST_F(SdoServerTest, ExpeditedUploadAnswersByWidth) {
    SdoFrame r = Ask(0x40, 0x100000);
    EXPECT_EQ(r[0], 0x43);
    EXPECT_EQ(vsim::FrameKey(r), 0x100000u);
    EXPECT_EQ(vsim::FrameData(r), 131474u);
    EXPECT_EQ(Ask(0x40, 0x200001)[0], 0x4B);
    r = Ask(0x40, 0x200002);
    EXPECT_EQ(r[0], 0x4F);
    EXPECT_EQ(vsim::FrameData(r), 1u);
}

TEST_F(SdoServerTest, DownloadIsAnsweredWithTheStoredValue) {
    SdoFrame r = Ask(0x2B, 0x200001, 0xFFFF);  // -1 in 16 bits
    EXPECT_EQ(r[0], 0x60);
    EXPECT_EQ(vsim::FrameKey(r), 0x200001u);
    EXPECT_EQ(vsim::FrameData(r), 0xFFFFu);  // no sign bits beyond the object's width
    EXPECT_EQ(drive.Values().Get(0x200001), -1);
    r = Ask(0x40, 0x200001);
    EXPECT_EQ(r[0], 0x4B);
    EXPECT_EQ(vsim::FrameData(r), 0xFFFFu);
    r = Ask(0x2F, 0x200002, 0xAB);
    EXPECT_EQ(vsim::FrameData(r), 0xABu);
    r = Ask(0x22, 0x200002, 0x12);  // size not indicated: taken as the object's width
    EXPECT_EQ(r[0], 0x60);
    EXPECT_EQ(drive.Values().Get(0x200002), 0x12);
}

TEST_F(SdoServerTest, RefusedAccessesAbortWithStandardCodes) {
    ExpectAbort(Ask(0x40, 0x123400), 0x123400, vsim::kAbortNoObject);
    ExpectAbort(Ask(0x40, 0x200003), 0x200003, vsim::kAbortNoSubIndex);
    ExpectAbort(Ask(0x2B, 0x123400, 1), 0x123400, vsim::kAbortNoObject);
    ExpectAbort(Ask(0x23, 0x100000, 1), 0x100000, vsim::kAbortReadOnly);
    ExpectAbort(Ask(0x2B, 0x200001, 101), 0x200001, vsim::kAbortValueHigh);
    ExpectAbort(Ask(0x2B, 0x200001, uint32_t(-101) & 0xFFFF), 0x200001, vsim::kAbortValueLow);
    ExpectAbort(Ask(0x23, 0x200001, 1), 0x200001, vsim::kAbortLength);
    ExpectAbort(Ask(0x21, 0x200001, 2), 0x200001, vsim::kAbortUnsupported);  // segmented
    ExpectAbort(Ask(0xA0, 0x200001), 0x200001, vsim::kAbortCommand);         // block upload
    EXPECT_EQ(drive.Values().Get(0x200001), 5);  // nothing refused was stored
}

TEST_F(SdoServerTest, StringIsUploadedInSegmentsWithToggleAndEndMark) {
    SdoFrame r = Ask(0x40, 0x100800);
    EXPECT_EQ(r[0], 0x41);
    EXPECT_EQ(vsim::FrameData(r), 10u);  // size indicated
    std::vector<uint8_t> codes;
    EXPECT_EQ(Segments(codes), QByteArray("VeltoSim10"));
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0], 0x00);  // toggle 0, all seven bytes used, more to come
    EXPECT_EQ(codes[1], 0x19);  // toggle 1, four unused bytes, last segment
}

TEST_F(SdoServerTest, FullLastSegmentIsFollowedByOneEmptySegment) {
    EXPECT_EQ(Ask(0x40, 0x100900)[0], 0x41);
    std::vector<uint8_t> codes;
    EXPECT_EQ(Segments(codes), QByteArray("ABCDEFG"));
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0], 0x01);                          // seven bytes, last segment
    EXPECT_EQ(codes[1], 0x1F);                          // nothing more
    ExpectAbort(Ask(0x60, 0), 0, vsim::kAbortCommand);  // the transfer is over
}

TEST_F(SdoServerTest, WrongToggleAbortsTheTransfer) {
    Ask(0x40, 0x100800);
    Ask(0x60, 0);
    ExpectAbort(Ask(0x60, 0), 0x100800, vsim::kAbortToggleBit);
    ExpectAbort(Ask(0x70, 0), 0, vsim::kAbortCommand);
}

TEST_F(SdoServerTest, SegmentWithoutTransferAndClientAbort) {
    ExpectAbort(Ask(0x60, 0x100800), 0, vsim::kAbortCommand);
    Ask(0x40, 0x100800);
    EXPECT_FALSE(server.Handle(Request(0x80, 0x100800, vsim::kAbortTimeout)).has_value());
    ExpectAbort(Ask(0x60, 0), 0, vsim::kAbortCommand);
    Ask(0x40, 0x100800);
    Ask(0x40, 0x200001);  // a new request ends the old transfer
    ExpectAbort(Ask(0x60, 0), 0, vsim::kAbortCommand);
}

TEST_F(SdoServerTest, RefusalHookRefusesGivenObjects) {
    server.SetRefusal([](uint32_t key) { return key == 0x200001 ? 0x08000020u : 0u; });
    ExpectAbort(Ask(0x40, 0x200001), 0x200001, vsim::kAbortCannotStore);
    ExpectAbort(Ask(0x2B, 0x200001, 3), 0x200001, vsim::kAbortCannotStore);
    EXPECT_EQ(Ask(0x40, 0x200002)[0], 0x4F);
}
