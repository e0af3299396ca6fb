#include <gtest/gtest.h>

#include "ctl/options.h"

TEST(CtlOptions, LinkAndCommandOptions) {
    CtlOptions o;
    ASSERT_TRUE(ParseCtlOptions({"--serial", "/dev/ttyUSB0", "--baud", "57600", "--address", "3",
                                 "read", "6041:00", "--unit", "HEX"},
                                o)
                    .ok);
    EXPECT_EQ(o.serialPath, "/dev/ttyUSB0");
    EXPECT_EQ(o.baud, 57600);
    EXPECT_EQ(*o.address, 3);
    EXPECT_EQ(o.command, "read");
    EXPECT_EQ(o.arguments, QStringList{"6041:00"});
    EXPECT_EQ(o.unit, "HEX");

    CtlOptions c;
    ASSERT_TRUE(ParseCtlOptions({"--can", "virtualcan:can0", "--bitrate", "0x001C", "--lang", "en",
                                 "watch", "6041:00", "606C:00", "--count", "2"},
                                c)
                    .ok);
    EXPECT_EQ(c.canAdapter, "virtualcan:can0");
    EXPECT_EQ(c.bitrateCode, 0x001C);
    EXPECT_EQ(c.language, 2);
    EXPECT_EQ(c.arguments.size(), 2);
    EXPECT_EQ(c.count, 2);
}

TEST(CtlOptions, WrongUsageIsRefusedWithAReason) {
    auto refused = [](const QStringList& args) {
        CtlOptions o;
        ParseResult r = ParseCtlOptions(args, o);
        return !r.ok && !r.error.isEmpty();
    };
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused({"frobnicate"}));
    EXPECT_TRUE(refused({"read"}));
    EXPECT_TRUE(refused({"write", "6040:00"}));
    EXPECT_TRUE(refused({"read", "6041:00", "extra"}));
    EXPECT_TRUE(refused({"--serial", "/dev/x", "--can", "virtualcan:can0", "objects"}));
    EXPECT_TRUE(refused({"--baud", "fast", "objects"}));
    EXPECT_TRUE(refused({"--lang", "de", "objects"}));
    EXPECT_TRUE(refused({"--address", "0", "objects"}));
    EXPECT_TRUE(refused({"--bogus", "objects"}));
    CtlOptions help;
    EXPECT_TRUE(ParseCtlOptions({"read", "--help"}, help).ok);
    EXPECT_TRUE(help.help);
    EXPECT_TRUE(UsageText("read").startsWith("usage: veltoctl read"));
}
