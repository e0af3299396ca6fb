// The scope files: settings lists, the text recording, CSV, the bitmap and the export name.
#include <gtest/gtest.h>

#include <QImage>
#include <QStringDecoder>

#include "scope/exportfiles.h"
#include "scope/recording.h"
#include "scope/scopelists.h"

namespace {

QByteArray Utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

ScopeRecording TwoChannels() {
    ScopeRecording r;
    r.samplePeriod = 16;
    r.pointerOffset = 100;
    r.sampleCount = 2;
    r.triggerItem = 2;
    r.triggerKey = 0x606C00;
    r.triggerLevel = "1500";
    r.triggerUnit = 0;
    r.continuous = true;
    r.channels[0] = {true, 0x60770010, 0.5, -1.25, 1, 2, false};
    r.channels[2] = {true, 0x606C0020, 1000, 0, 0.1, 0, true};
    r.samples[0] = {12, -3};
    r.samples[2] = {4000000000.0, -7};
    return r;
}

TEST(TextRecording, LinesOfChannelsOneAndThreeInOrder) {
    const QByteArray bytes = recording::Write(TwoChannels());
    ASSERT_FALSE(bytes.startsWith("\xFF\xFE"));  // no byte-order mark
    QStringDecoder utf16(QStringDecoder::Utf16LE);
    const QString text = utf16(bytes);
    EXPECT_FALSE(text.contains('\r'));
    const QStringList lines = text.split('\n');
    const QStringList expected = {"[oscilloscope]",
                                  "time=16",
                                  "offset=100",
                                  "number=2",
                                  "trigger item=2",
                                  "trigger item value=6319104",
                                  "trigger collect value=1500",
                                  "trigger collect unit=0",
                                  "continue=1",
                                  "ch1 check=1",
                                  "ch1 item=1618411536",
                                  "ch1 scale=0.500000",
                                  "ch1 offset=-1.250000",
                                  "ch1 unit coef=1.000000",
                                  "ch1 unit=2",
                                  "ch1 auto=0",
                                  "ch2 check=0",
                                  "ch3 check=1",
                                  "ch3 item=1617690656",
                                  "ch3 scale=1000.000000",
                                  "ch3 offset=0.000000",
                                  "ch3 unit coef=0.100000",
                                  "ch3 unit=0",
                                  "ch3 auto=1",
                                  "ch4 check=0",
                                  "ch1-1=12",
                                  "ch3-1=4000000000",
                                  "ch1-2=-3",
                                  "ch3-2=-7",
                                  ""};
    EXPECT_EQ(lines, expected);
}

TEST(TextRecording, ReadsBackWhatWasWritten) {
    const ScopeRecording in = TwoChannels();
    const ScopeRecording out = recording::Read(recording::Write(in));
    EXPECT_EQ(out.samplePeriod, 16);
    EXPECT_EQ(out.sampleCount, 2);
    EXPECT_EQ(out.triggerKey, 0x606C00);
    EXPECT_EQ(out.triggerLevel, "1500");
    EXPECT_TRUE(out.continuous);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(out.channels[k].check, in.channels[k].check) << k;
        EXPECT_EQ(out.channels[k].item, in.channels[k].item) << k;
        EXPECT_DOUBLE_EQ(out.channels[k].offset, in.channels[k].offset) << k;
        EXPECT_EQ(out.channels[k].autoScale, in.channels[k].autoScale) << k;
        EXPECT_EQ(out.samples[k], in.samples[k]) << k;  // also above 2,147,483,647
    }
    EXPECT_TRUE(recording::IsRecording(recording::Write(in)));
    EXPECT_FALSE(recording::IsRecording("[other]\nx=1\n"));
}

TEST(TextRecording, MissingKeysReadAsZero) {
    const QString text =
        "[oscilloscope]\ntime=8\nch2 check=1\nch2-2=5\nCH2-2=9\nch2-02=7\n"
        "number=3\nch2 item=-1\n";
    const ScopeRecording r = recording::Read(Utf16(text));
    EXPECT_EQ(r.samplePeriod, 8);
    EXPECT_EQ(r.triggerUnit, 0);
    EXPECT_EQ(r.samples[1], (std::vector<double>{0, 5, 0}));  // the first of equal keys
    EXPECT_EQ(r.channels[1].item, 0xFFFFFFFF);
    EXPECT_TRUE(r.samples[0].empty());  // not ticked
    const ScopeRecording none = recording::Read(Utf16("[oscilloscope]\nch1 check=1\n"));
    EXPECT_TRUE(none.samples[0].empty());  // no "number": no samples
    const ScopeRecording huge =
        recording::Read(Utf16("[oscilloscope]\nnumber=99999999\nch1 check=1\n"));
    EXPECT_EQ(huge.samples[0].size(), 65535u);
}

TEST(ScopeLists, ASectionEndsAtTheFirstMissingKey) {
    const QByteArray ini = "[trigger]\n1=604100\n3=606C00\n[channel]\n1=606c00\n2=0\n3=6077\n";
    EXPECT_EQ(scopelists::ParseList(ini, "trigger"), (std::vector<std::int32_t>{0x604100}));
    EXPECT_EQ(scopelists::ParseList(ini, "channel"), (std::vector<std::int32_t>{0x606C00}));
    EXPECT_TRUE(scopelists::ParseList(ini, "none").empty());
}

TEST(CsvFile, EachValueIsFollowedByAComma) {
    ChannelSamples s;
    s[0] = {12, 7};
    s[1] = {-3};
    s[3] = {4294967295.0, 1, 2};
    EXPECT_EQ(exportfiles::Csv(s), QByteArray("12,-3,4294967295,\n7,1,\n2,\n"));
    ChannelSamples two;
    two[0] = {12};
    two[1] = {-3};
    EXPECT_EQ(exportfiles::Csv(two), QByteArray("12,-3,\n"));
}

TEST(ExportName, CutOnlyInsideTheFileName) {
    EXPECT_EQ(exportfiles::ExportTarget("/home/u/run.2.csv"), "/home/u/run.csv");
    EXPECT_EQ(exportfiles::ExportTarget("run.2.csv"), "run.csv");
    EXPECT_EQ(exportfiles::ExportTarget("/data/v1.2/run.txt"), "/data/v1.2/run.txt");
    EXPECT_EQ(exportfiles::ExportTarget("/data/v1.2/.run.x.bmp"), "/data/v1.2/.run.bmp");
    EXPECT_EQ(exportfiles::ExportTarget("/home/u/run.CSV"), "");
    EXPECT_EQ(exportfiles::ExportTarget("/home/u.x/run"), "");
    EXPECT_EQ(exportfiles::ExportTarget("/home/u/run.dat"), "");
}

std::uint32_t Le32(const QByteArray& b, int at) {
    return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

TEST(WindowsBitmap, HeadersRowsAndColourTable) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixelColor(0, 1, QColor(10, 20, 30));  // bottom-left: the first pixel written
    const QByteArray bmp = exportfiles::WindowsBitmap(image, 24);
    ASSERT_EQ(bmp.left(2), "BM");
    const int rowBytes = 12;  // 3 x 3 bytes padded to 4
    EXPECT_EQ(Le32(bmp, 2), std::uint32_t(54 + 2 * rowBytes));
    EXPECT_EQ(Le32(bmp, 10), 54u);
    EXPECT_EQ(Le32(bmp, 14), 40u);
    EXPECT_EQ(Le32(bmp, 18), 3u);
    EXPECT_EQ(Le32(bmp, 22), 2u);
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(bmp.size(), 54 + 2 * rowBytes);
    EXPECT_EQ(bmp.mid(54, 3), QByteArray("\x1E\x14\x0A"));  // blue, green, red
    const QByteArray indexed = exportfiles::WindowsBitmap(image, 8);
    EXPECT_EQ(Le32(indexed, 10), 54u + 1024u);  // 256-entry table
    EXPECT_EQ(indexed[28], 8);
    EXPECT_EQ(indexed.size(), 54 + 1024 + 2 * 4);
    EXPECT_EQ(exportfiles::WindowsBitmap(image, 32)[28], 32);
    EXPECT_EQ(Le32(exportfiles::WindowsBitmap(image, 1), 10), 54u + 8u);
}

}  // namespace
