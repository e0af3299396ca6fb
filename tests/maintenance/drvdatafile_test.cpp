// The drive data files: upload list pieces, the rows an import takes, saved names, the log.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

#include "maintenance/drvdatafile.h"
#include "maintenance/exportpass.h"
#include "maintenance/importpass.h"
#include "support/temp_base.h"

using namespace drvdata;

namespace {

std::vector<std::uint32_t> List(const QByteArray& text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return ReadUploadList(buffer);
}

std::vector<DataFileRow> Data(const QByteArray& text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return ReadDataFile(buffer);
}

}  // namespace

TEST(UploadList, PrefixBlanksAndLineEndsDoNotChangeTheCode) {
    auto codes = List("60410010\n0x60410010\n6041 0010\r\n0X60410010");
    ASSERT_EQ(codes.size(), 4u);
    for (std::uint32_t code : codes) EXPECT_EQ(code, 0x60410010u);
}

TEST(UploadList, EveryLineIsARowAndLongLinesComeInPieces) {
    // An empty line is a row of code 0; 30 characters are read as 23 and 7.
    auto codes = List("\n60410010\n" + QByteArray(22, '0') + "12345678\n");
    ASSERT_EQ(codes.size(), 4u);
    EXPECT_EQ(codes[0], 0u);
    EXPECT_EQ(codes[1], 0x60410010u);
    EXPECT_EQ(codes[2], 0x1u);        // 22 zeros and "1"
    EXPECT_EQ(codes[3], 0x2345678u);  // the rest of the line
    EXPECT_TRUE(List("").empty());
}

TEST(DataFile, FailedRowsAreLeftOutAndRowsKeepTheirLineNumbers) {
    auto rows = Data("60410010,7,True\n607C0020,0x08000020,Fail\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].line, 1);
    EXPECT_EQ(rows[0].code, "60410010");
    EXPECT_EQ(rows[0].loadValue, "7");

    rows = Data("607C0020,0x08000020,Fail\r\n60410010,-1,True\r\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].line, 2);
    EXPECT_EQ(rows[0].code, "60410010");
    EXPECT_EQ(rows[0].loadValue, "-1");
}

TEST(DataFile, LinesWithoutValueOrCommaAndOverlongLines) {
    auto rows = Data("60410010\n60410010,12\n60410010,,\n" + QByteArray(300, '1') + ",5,True\n");
    // No comma: left out; no second comma: no load value; the long line's second piece
    // holds the comma and is the fifth line read.
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].line, 2);
    EXPECT_TRUE(rows[0].loadValue.isEmpty());
    EXPECT_EQ(rows[1].line, 3);
    EXPECT_TRUE(rows[1].loadValue.isEmpty());
    EXPECT_EQ(rows[2].line, 5);
    EXPECT_EQ(rows[2].code, QString(45, '1'));
    EXPECT_EQ(rows[2].loadValue, "5");
}

TEST(DataFile, WhatTheExportWritesTheImportReadsBack) {
    std::vector<ExportRow> rows = ExportRows({0x60410010, 0x607C0020, 0x2FFE0120}, {});
    rows[0].value = "4660", rows[0].result = "True";
    rows[1].value = "0x08000020", rows[1].result = "Fail";
    rows[2].value = "0xffffffff", rows[2].result = "True";
    TempBase base;
    const QString path = base.File("user/set.qxi");
    ASSERT_TRUE(WriteLines(path, DataFileLines(rows)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              "60410010,4660,True\n607C0020,0x08000020,Fail\n2FFE0120,0xffffffff,True\n");
    file.seek(0);
    auto read = ReadDataFile(file);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].line, 3);
    EXPECT_EQ(read[1].loadValue, "0xffffffff");
}

TEST(SaveTarget, CutsTheFileNameOnlyAndNamesTheExtension) {
    EXPECT_EQ(SaveTarget("/u/set.b.qxi", ".qxi"), "/u/set.qxi");
    EXPECT_EQ(SaveTarget("/u/set.b.txt", ".txt"), "/u/set.txt");
    EXPECT_EQ(SaveTarget("/u/my.sets/set.b.txt", ".txt"), "/u/my.sets/set.txt");
    EXPECT_EQ(SaveTarget("/u/my.sets/set", ".txt"), "/u/my.sets/set.txt");
    EXPECT_EQ(SaveTarget("/u/.txt", ".txt", "2024-01-02 030405"), "/u/2024-01-02 030405.txt");
}

TEST(ResultLog, NamesKeepTheirCharactersAndAFailedWriteIsReported) {
    ImportRow row;
    row.codeText = "60410010";
    row.loadValue = "5";
    row.readValue = "5";
    row.result = "True";
    row.name = QString::fromUtf8("状态字");
    TempBase base;
    ASSERT_TRUE(WriteLines(base.File("log.txt"), ResultLogLines({row})));
    QFile file(base.File("log.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QString::fromUtf8("60410010,5,5,True,状态字\n"));
    EXPECT_FALSE(WriteLines(base.File("no/such/folder/log.txt"), {"x"}));
}
