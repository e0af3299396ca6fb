#include <gtest/gtest.h>

#include "platform/codepage.h"

using namespace platform;

TEST(Codepage, ChineseTextRoundTripsThroughGbkBytes) {
    EXPECT_EQ(UnicodeToCp936("名称"), QByteArray("\xC3\xFB\xB3\xC6"));
    EXPECT_EQ(Cp936ToUnicode("\xC3\xFB\xB3\xC6"), "名称");
    const QString mixed = "Speed 速度 (r/min) ℃";
    EXPECT_EQ(Cp936ToUnicode(UnicodeToCp936(mixed)), mixed);
}

TEST(Codepage, AsciiAndEmptyPassUnchanged) {
    EXPECT_EQ(Cp936ToUnicode("UNSIGNED16"), "UNSIGNED16");
    EXPECT_EQ(Cp936ToUnicode(QByteArray()), "");
    EXPECT_EQ(UnicodeToCp936(""), QByteArray());
}

TEST(Codepage, BadBytesBecomeReplacementCharactersAndDecodingGoesOn) {
    // 0xFF is never a lead byte; a lead byte cut off at the end is incomplete.
    EXPECT_EQ(Cp936ToUnicode("A\xFF"
                             "B"),
              QString("A") + QChar(0xFFFD) + "B");
    EXPECT_EQ(Cp936ToUnicode("\xC3\xFB\xC3"), QString("名") + QChar(0xFFFD));
}

TEST(Codepage, CharactersWithoutGbkFormBecomeQuestionMarks) {
    EXPECT_EQ(UnicodeToCp936(QString("a") + QChar(0x0E01) + "b"), QByteArray("a?b"));  // Thai
    EXPECT_EQ(UnicodeToCp936(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
}
