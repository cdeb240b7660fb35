// Bounded formatting over the C library's own call.
#include "platform.h"

#include <stdarg.h>
#include <stdio.h>

int FormatText(char *text, size_t size, const char *format, ...)
{
    if (size == 0)
        return -1;
    va_list arguments;
    va_start(arguments, format);
#ifdef _WIN32
    // Gives -1 for a text longer than the buffer and leaves the buffer
    // unterminated then, and also when the text fills it exactly.
    int length = _vsnprintf(text, size, format, arguments);
#else
    int length = vsnprintf(text, size, format, arguments);
#endif
    va_end(arguments);
    if (length < 0 || (size_t)length >= size) {
        text[size - 1] = '\0';
        return -1;
    }
    return length;
}
