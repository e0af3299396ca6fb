// Objects named by index and sub-index in text.
#include <gtest/gtest.h>

#include "dictionary/objectkey.h"

TEST(ObjectKey, KeysInEveryAcceptedForm) {
    EXPECT_EQ(ParseObjectKey("6041:00"), 0x604100);
    EXPECT_EQ(ParseObjectKey(" 0x607a:0 "), 0x607A00);
    EXPECT_EQ(ParseObjectKey("2300:10"), 0x230010);
    EXPECT_EQ(ParseObjectKey("604100"), 0x604100);
    EXPECT_EQ(ParseObjectKey("6041"), -1);  // no sub-index
    EXPECT_EQ(ParseObjectKey("6041:100"), -1);
    EXPECT_EQ(ParseObjectKey("x:1"), -1);
    EXPECT_EQ(ParseObjectKey("10000:00"), -1);
    EXPECT_EQ(ParseObjectKey("-1:00"), -1);
    EXPECT_EQ(ParseObjectKey("6041:+1"), -1);
}

TEST(ObjectKey, AnIndexAloneIsFourHexDigits) {
    ObjectRef ref;
    ASSERT_TRUE(ParseObjectRef("6041", ref));
    EXPECT_EQ(ref.index, 0x6041);
    EXPECT_EQ(ref.subIndex, -1);
    ASSERT_TRUE(ParseObjectRef("0x1a00", ref));
    EXPECT_EQ(ref.index, 0x1A00);
    ASSERT_TRUE(ParseObjectRef("6041:00", ref));
    EXPECT_EQ(ref.subIndex, 0);
    // Words of a name search are no index, even when they are hexadecimal.
    for (const char* text : {"speed", "add", "dead beef", "60411", "604", ""})
        EXPECT_FALSE(ParseObjectRef(text, ref)) << text;
}
