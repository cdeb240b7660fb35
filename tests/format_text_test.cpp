// Bounded formatting: where a text stops fitting, on either system's C
// library (on Windows one that leaves a buffer it fills unterminated).
#include "platform.h"

#include <gtest/gtest.h>

#include <string.h>

TEST(FormatText, ATextFitsUpToOneCharacterLessThanItsBuffer)
{
    char text[6];
    EXPECT_EQ(FormatText(text, sizeof text, "%s%u", "abc", 12u), 5);
    EXPECT_STREQ(text, "abc12");
    EXPECT_EQ(FormatText(text, sizeof text, "%s", ""), 0);
    EXPECT_STREQ(text, "");
}

TEST(FormatText, ALongerTextIsCutTerminatedAndGivesMinusOne)
{
    for (const char *longer : {"abcdef", "abcdefghijklmnop"}) {
        char text[6];
        memset(text, 'x', sizeof text);
        EXPECT_EQ(FormatText(text, sizeof text, "%s", longer), -1) << longer;
        EXPECT_STREQ(text, "abcde") << longer;
    }
}
