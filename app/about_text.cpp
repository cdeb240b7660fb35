// The about text and the build time it shows. The time is the compiler's, so
// it is that of the build that compiled this file.
#include "about_text.h"

#include "platform.h"

const char *BuildDate()
{
    return __DATE__;
}

const char *BuildTime()
{
    return __TIME__;
}

void ComposeAboutText(const char *date, const char *time, char *text, size_t size)
{
    if (size == 0)
        return;
    FormatText(text, size,
               "Quillmoor Mod Manager\r\n"
               "Version: 0.1B RC1\r\n"
               "\r\n"
               "Built: %s %s\r\n"
               "\r\n"
               "Please refer to the readme or the manual for additional information.",
               date, time);
}
