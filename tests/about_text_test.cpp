// The about text: its six lines, and the form of the build time it shows.
#include "about_text.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int TwoDigits(const char *text)
{
    return (text[0] - '0') * 10 + (text[1] - '0');
}

// "Mmm dd yyyy": an English month abbreviation, the day padded on the left
// with a space (never a zero), a four-digit year.
bool IsDateForm(const char *date)
{
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (strlen(date) != 11 || date[3] != ' ' || date[6] != ' ')
        return false;
    bool knownMonth = false;
    for (const char *month : months)
        knownMonth = knownMonth || strncmp(date, month, 3) == 0;
    if (!knownMonth || !IsDigit(date[5]))
        return false;
    int day;
    if (date[4] == ' ')
        day = date[5] - '0';
    else if (IsDigit(date[4]) && date[4] != '0')
        day = TwoDigits(date + 4);
    else
        return false;
    if (day < 1 || day > 31)
        return false;
    for (int i = 7; i < 11; ++i) {
        if (!IsDigit(date[i]))
            return false;
    }
    return true;
}

// "hh:mm:ss" in 24-hour form, two digits each.
bool IsTimeForm(const char *time)
{
    if (strlen(time) != 8 || time[2] != ':' || time[5] != ':')
        return false;
    for (int i : {0, 1, 3, 4, 6, 7}) {
        if (!IsDigit(time[i]))
            return false;
    }
    return TwoDigits(time) < 24 && TwoDigits(time + 3) < 60 && TwoDigits(time + 6) < 61;
}

} // namespace

TEST(BuildTime, HasTheAboutBoxForm)
{
    EXPECT_TRUE(IsDateForm(BuildDate())) << "\"" << BuildDate() << "\"";
    EXPECT_TRUE(IsTimeForm(BuildTime())) << "\"" << BuildTime() << "\"";
}

// The checks above must tell the about box's form from its near misses.
TEST(BuildTime, FormChecksRejectNearMisses)
{
    const struct {
        const char *text;
        bool date, time;
    } cases[] = {
        {"Mar  5 2024", true, false},  {"Dec 31 1999", true, false},
        {"Feb 10 2030", true, false},  {"Mar 05 2024", false, false},
        {"Mar 5 2024", false, false},  {"mar  5 2024", false, false},
        {"Mar  0 2024", false, false}, {"Mar 32 2024", false, false},
        {"Mar  5 24", false, false},   {"09:07:03", false, true},
        {"23:59:59", false, true},     {"9:07:03", false, false},
        {"24:00:00", false, false},    {"09-07-03", false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsDateForm(c.text), c.date) << c.text;
        EXPECT_EQ(IsTimeForm(c.text), c.time) << c.text;
    }
}

TEST(AboutText, IsSixLinesWithTheBuildTimeOnTheFourth)
{
    char text[TextBufferSize];
    ComposeAboutText("Mar  5 2024", "09:07:03", text, sizeof text);
    EXPECT_STREQ(text, "Quillmoor Mod Manager\r\n"
                       "Version: 0.1B RC1\r\n"
                       "\r\n"
                       "Built: Mar  5 2024 09:07:03\r\n"
                       "\r\n"
                       "Please refer to the readme or the manual for additional information.");

    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "Built: Mar  5 2024 09:07:03");
    EXPECT_TRUE(lines[2].empty());
    EXPECT_TRUE(lines[4].empty());
    // No line ends in a lone line feed or carriage return, and none follows
    // the last line.
    for (const std::string &line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
}

TEST(AboutText, ThisBuildsTextShowsThisBuildsTime)
{
    char text[TextBufferSize];
    ComposeAboutText(BuildDate(), BuildTime(), text, sizeof text);
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 6u);
    ASSERT_EQ(lines[3].compare(0, 7, "Built: "), 0) << lines[3];
    std::string date = lines[3].substr(7, 11), time = lines[3].substr(19);
    EXPECT_TRUE(IsDateForm(date.c_str())) << lines[3];
    EXPECT_TRUE(IsTimeForm(time.c_str())) << lines[3];
    EXPECT_LT(strlen(text), (size_t)TextBufferSize);
}

TEST(AboutText, NeverWritesPastItsBuffer)
{
    char text[16];
    memset(text, 'x', sizeof text);
    ComposeAboutText("Mar  5 2024", "09:07:03", text, 10);
    EXPECT_STREQ(text, "Quillmoor");
    EXPECT_EQ(text[10], 'x');

    char untouched = 'x';
    ComposeAboutText("Mar  5 2024", "09:07:03", &untouched, 0);
    EXPECT_EQ(untouched, 'x');
}
