// The size text at and around every bound.
#include "size_text.h"

#include <gtest/gtest.h>

TEST(FormatSizeText, EachBoundIsExclusive)
{
    const struct {
        DWORD size;
        const char *text;
    } cases[] = {
        {0, "0B"},
        {1, "1B"},
        {1024, "1024B"},
        {1025, "1KB"},
        {2047, "1KB"},
        {2048, "2KB"},
        {1048576, "1024KB"},
        {1048577, "1MB"},
        {1073741824, "1024MB"},
        {1073741825, "1GB"},
        {2147483648u, "2GB"},
        {4294967295u, "3GB"},
    };
    for (const auto &c : cases) {
        char text[16] = "unwritten";
        FormatSizeText(c.size, text, sizeof text);
        EXPECT_STREQ(text, c.text) << "size " << c.size;
    }
}

TEST(FormatSizeText, WritesNoMoreThanItsBuffer)
{
    char text[8] = "#######";
    FormatSizeText(1048576, text, 4);
    EXPECT_STREQ(text, "102");
    EXPECT_STREQ(text + 4, "###");
}
