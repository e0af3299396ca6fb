// The numeric helpers the settings object offers (CGlobal derives them from CNumbers).
#include <gtest/gtest.h>

#include "dictionary/numbers.h"
#include "dictionary/numberscan.h"

TEST(Numbers, ParseDecimalScansDigitsOnly) {
    EXPECT_EQ(CNumbers::ParseDecimal(""), 0);
    EXPECT_EQ(CNumbers::ParseDecimal("INTEGER32"), 32);
    EXPECT_EQ(CNumbers::ParseDecimal("-12"), -12);
    EXPECT_EQ(CNumbers::ParseDecimal("1-2"), 12);  // only a leading minus counts
    EXPECT_EQ(CNumbers::ParseDecimal("VISIBLE STRING"), 0);
    EXPECT_EQ(CNumbers::ParseDecimal("1a2"), 12);
}

TEST(Numbers, ParseHexAcceptsBothCases) {
    EXPECT_EQ(CNumbers::ParseHex("ab"), 0xAB);
    EXPECT_EQ(CNumbers::ParseHex("6040"), 0x6040);
    EXPECT_EQ(CNumbers::ParseHex("60fF01"), 0x60FF01);
    EXPECT_EQ(CNumbers::ParseHex("0x1G"), 0x01);  // 'X' and 'G' skipped
    EXPECT_EQ(CNumbers::ParseHex("-10"), -16);
    EXPECT_EQ(CNumbers::ParseHex("    "), 0);
    EXPECT_EQ(CNumbers::ParseHex("FFFFFFFF"), -1);  // wraps like a 32-bit register
}

TEST(Numbers, WidthAndDownloadCommand) {
    EXPECT_EQ(CNumbers::DataTypeWidth("UNSIGNED16"), 16);
    EXPECT_EQ(CNumbers::DataTypeWidth("INTEGER8"), 8);
    EXPECT_EQ(CNumbers::SdoDownloadCommand("INTEGER8"), 0x2F);
    EXPECT_EQ(CNumbers::SdoDownloadCommand("INTEGER16"), 0x2B);
    EXPECT_EQ(CNumbers::SdoDownloadCommand("UNSIGNED32"), 0x23);
    EXPECT_EQ(CNumbers::SdoDownloadCommand("UNSIGNED64"), 0);
    EXPECT_EQ(CNumbers::SdoDownloadCommand("VISIBLE STRING"), 0);
}

TEST(Numbers, RawToNumberSignsByTypeAndWidth) {
    double v = 123;
    EXPECT_EQ(CNumbers::RawToNumber("INTEGER16", 0xFFFF, v), 1);
    EXPECT_EQ(v, -1);
    EXPECT_EQ(CNumbers::RawToNumber("UNSIGNED16", 0xFFFF, v), 1);
    EXPECT_EQ(v, 65535);
    EXPECT_EQ(CNumbers::RawToNumber("INTEGER8", 0x80, v), 1);
    EXPECT_EQ(v, -128);
    EXPECT_EQ(CNumbers::RawToNumber("INTEGER8", 0x7F, v), 1);
    EXPECT_EQ(v, 127);
    EXPECT_EQ(CNumbers::RawToNumber("INTEGER32", 0xFFFFFFFE, v), 1);
    EXPECT_EQ(v, -2);
    EXPECT_EQ(CNumbers::RawToNumber("unsigned32", 0xFFFFFFFE, v), 1);
    EXPECT_EQ(v, 4294967294.0);
    EXPECT_EQ(CNumbers::RawToNumber("INTEGER16", 0x12345, v), 1);  // not masked to the width
    EXPECT_EQ(v, 0x12345 - 0x10000);
    v = 7;
    EXPECT_EQ(CNumbers::RawToNumber("", 1, v), 0);
    EXPECT_EQ(CNumbers::RawToNumber("VISIBLE STRING", 1, v), 0);
    EXPECT_EQ(CNumbers::RawToNumber("INTEGER64", 1, v), 0);
    EXPECT_EQ(v, 7);
}

TEST(Numbers, TypeRangeByWidthAndSign) {
    std::int64_t low = 1, high = 1;
    ASSERT_TRUE(CNumbers::TypeRange("UNSIGNED8", low, high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 255);
    ASSERT_TRUE(CNumbers::TypeRange("INTEGER16", low, high));
    EXPECT_EQ(low, -32768);
    EXPECT_EQ(high, 32767);
    ASSERT_TRUE(CNumbers::TypeRange("unsigned32", low, high));
    EXPECT_EQ(high, 4294967295);
    ASSERT_TRUE(CNumbers::TypeRange("INTEGER32", low, high));
    EXPECT_EQ(low, -2147483648);
    EXPECT_FALSE(CNumbers::TypeRange("VISIBLE STRING", low, high));
    EXPECT_FALSE(CNumbers::TypeRange("UNSIGNED64", low, high));
}

TEST(Numbers, HexValueIsParseHexWithoutTheWrap) {
    EXPECT_EQ(CNumbers::HexValue("ffff"), 0xFFFF);
    EXPECT_EQ(CNumbers::HexValue("-10"), -16);
    EXPECT_EQ(CNumbers::HexValue("0x1G"), 1);
    EXPECT_EQ(CNumbers::HexValue("FFFFFFFF"), 0xFFFFFFFFll);    // ParseHex gives -1
    EXPECT_EQ(CNumbers::HexValue("100000000"), 0x100000000ll);  // ParseHex gives 0
    EXPECT_GT(CNumbers::HexValue("123456789abcdef0123"), 0xFFFFFFFFll);
}

TEST(Numbers, CDecimalIsTheCLibrarysLeadingNumber) {
    EXPECT_EQ(numberscan::CDecimal(" 42abc"), 42);
    EXPECT_EQ(numberscan::CDecimal("-7"), -7);
    EXPECT_EQ(numberscan::CDecimal("+3"), 3);
    EXPECT_EQ(numberscan::CDecimal("x5"), 0);
    EXPECT_EQ(numberscan::CDecimal(""), 0);
    EXPECT_EQ(numberscan::CDecimal("4294967301"), 5);  // strtol's long cut to int
}
