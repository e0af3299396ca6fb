// The abort codes' meanings shared by the grid's tool tip and veltoctl.
#include <gtest/gtest.h>

#include "comm/abortcodes.h"

TEST(AbortCodes, StandardCodesCarryTheirMeaning) {
    EXPECT_EQ(abortcodes::Describe(0x06090030),
              QStringLiteral("abort 0x06090030: value range of parameter exceeded"));
    EXPECT_EQ(abortcodes::Describe(0x06010002),
              QStringLiteral("abort 0x06010002: attempt to write a read only object"));
    EXPECT_EQ(abortcodes::Describe(0x08000022),
              QStringLiteral("abort 0x08000022: data cannot be transferred or stored to the "
                             "application because of the present device state"));
}

TEST(AbortCodes, AnUnknownCodeIsShownWithoutAMeaning) {
    EXPECT_EQ(abortcodes::Meaning(0x12345678), nullptr);
    EXPECT_EQ(abortcodes::Describe(0x12345678), QStringLiteral("abort 0x12345678"));
    EXPECT_EQ(abortcodes::Describe(0), QStringLiteral("abort 0x00000000"));
}
