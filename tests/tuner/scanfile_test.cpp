// The scan's text file: encoding, round trip and the files that are refused.
#include <gtest/gtest.h>

#include <QFile>

#include "support/temp_base.h"
#include "tuner/scanfile.h"

namespace {

CScanData SampleScan() {
    CScanData d;
    d.scanFrom = 10, d.scanEnd = 30, d.scanStep = 5;
    d.excitationAmplitude = 60;
    d.scaleExponent = 3;
    d.velocityGain = 400, d.velocityIntegral = 2000;
    d.rotorInertia = 27, d.maxCurrent = 3000;
    d.RecountPoints();
    for (int i = 0; i < d.pointCount; ++i) {
        d.excitationRe[i] = 60 - 7 * i;
        d.excitationIm[i] = -32768 + 1000 * i;
        d.responseRaw[2 * i] = INT32_MAX - i;
        d.responseRaw[2 * i + 1] = INT32_MIN + i;
    }
    return d;
}

QByteArray Header(const char* fields) {
    return QByteArray(fields) + "\r\r\n";
}

}  // namespace

TEST(ScanFile, PairsAreStoredAsXPlus2YAndYPlus2X) {
    CScanData d;
    d.scanFrom = 4, d.scanEnd = 4, d.scanStep = 3;
    d.excitationRe[0] = 5;
    d.excitationIm[0] = -3;
    d.responseRaw[0] = 5;
    d.responseRaw[1] = -3;
    QByteArray text = FormatScanFile(d);
    QList<QByteArray> lines = text.split('\n');
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], "4;4;3;0.00;32;0;0;0.00;0;\r\r");
    EXPECT_EQ(lines[1], "length 1\r\r");
    EXPECT_EQ(lines[2], "-1\r\r");
    EXPECT_EQ(lines[3], "7\r\r");
    EXPECT_EQ(lines[4], "##########\r\r");
    EXPECT_EQ(lines[5], "-1\r\r");
    EXPECT_EQ(lines[6], "7\r\r");

    CScanData back;
    ASSERT_EQ(ParseScanFile(text, back, 2).outcome, ScanImport::Complete);
    EXPECT_EQ(back.excitationRe[0], 5);
    EXPECT_EQ(back.excitationIm[0], -3);
    EXPECT_EQ(back.responseRaw[0], 5);
    EXPECT_EQ(back.responseRaw[1], -3);
}

TEST(ScanFile, RoundTripThroughAFileKeepsEveryValue) {
    TempBase base;
    CScanData d = SampleScan();
    QString error;
    ASSERT_TRUE(SaveScanFile(base.File("user/scan.txt"), d, 2, error));
    CScanData back;
    CScanImportResult r = LoadScanFile(base.File("user/scan.txt"), back, 2);
    ASSERT_EQ(r.outcome, ScanImport::Complete) << r.message.toStdString();
    EXPECT_EQ(back.scanFrom, 10);
    EXPECT_EQ(back.scanEnd, 30);
    EXPECT_EQ(back.scanStep, 5);
    EXPECT_EQ(back.pointCount, 5);
    EXPECT_EQ(back.excitationAmplitude, 60);
    EXPECT_EQ(back.scaleExponent, 3);
    EXPECT_EQ(back.velocityGain, 400.0f);
    EXPECT_EQ(back.velocityIntegral, 2000.0f);
    EXPECT_EQ(back.rotorInertia, 27);
    EXPECT_EQ(back.maxCurrent, 3000);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(back.excitationRe[i], d.excitationRe[i]) << i;
        EXPECT_EQ(back.excitationIm[i], d.excitationIm[i]) << i;
        EXPECT_EQ(back.responseRaw[2 * i], d.responseRaw[2 * i]) << i;
        EXPECT_EQ(back.responseRaw[2 * i + 1], d.responseRaw[2 * i + 1]) << i;
    }
    // Plain LF or CR LF line ends read the same.
    QByteArray lf = FormatScanFile(d).replace("\r", "");
    CScanData viaLf;
    ASSERT_EQ(ParseScanFile(lf, viaLf, 2).outcome, ScanImport::Complete);
    EXPECT_EQ(viaLf.responseRaw[7], d.responseRaw[7]);
}

TEST(ScanFile, RefusedHeadersApplyNothing) {
    struct Case {
        const char* header;
        const char* message;
    } cases[] = {
        {"10;30;5;400;60;27;3000;2000;",
         "Import refused: the header holds fewer than nine fields."},
        {"10;30;0;400;60;27;3000;2000;3;", "Import refused: the step in the header is 0."},
        {"4;1000;1;400;60;27;3000;2000;3;",
         "Import refused: the header gives more than 500 points."},
        {"", "Import refused: the header holds fewer than nine fields."},
        {"100;30;5;0;60;0;0;0;0;",
         "Import refused: the header gives no point (its end lies below its start)."},
    };
    for (const Case& c : cases) {
        CScanData d = SampleScan();
        CScanImportResult r = ParseScanFile(Header(c.header) + "length 997\r\r\n", d, 2);
        EXPECT_EQ(r.outcome, ScanImport::Rejected) << c.header;
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(d.scanFrom, 10) << "nothing applied";
        EXPECT_EQ(d.pointCount, 5);
    }
    CScanData d;
    EXPECT_EQ(ParseScanFile(Header("4;1000;2;0;32;0;0;0;0;"), d, 2).outcome, ScanImport::HeaderOnly)
        << "499 points fit";
}

TEST(ScanFile, MismatchedLengthOrEarlyEndKeepsTheHeaderOnly) {
    CScanData source = SampleScan();
    QByteArray text = FormatScanFile(source);
    CScanData d;
    d.responseRaw[0] = 77;
    QByteArray wrongLength = text;
    wrongLength.replace("length 5", "length 6");
    CScanImportResult r = ParseScanFile(wrongLength, d, 2);
    EXPECT_EQ(r.outcome, ScanImport::HeaderOnly);
    EXPECT_EQ(d.scanFrom, 10);
    EXPECT_EQ(d.pointCount, 5);
    EXPECT_EQ(d.responseRaw[0], 77);

    CScanData e;
    e.responseRaw[0] = 77;
    r = ParseScanFile(text.left(text.size() - 30), e, 2);
    EXPECT_EQ(r.outcome, ScanImport::HeaderOnly);
    EXPECT_EQ(r.message, "Import stopped: the file ends before its last point.");
    EXPECT_EQ(e.responseRaw[0], 77) << "no point data from a cut file";
}

TEST(ScanFile, MissingFileAndUnwritablePath) {
    CScanData d;
    EXPECT_EQ(LoadScanFile("/nonexistent/scan.txt", d, 2).outcome, ScanImport::Rejected);
    QString error;
    EXPECT_FALSE(SaveScanFile("/nonexistent/scan.txt", d, 2, error));
    EXPECT_EQ(error, "The file cannot be written.");
}
