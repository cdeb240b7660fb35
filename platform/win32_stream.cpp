// The stream calls the C library lacks on Windows.
#include "platform.h"

#include <io.h>

bool TruncateStream(FILE *stream, long size)
{
    return fflush(stream) == 0 && _chsize(_fileno(stream), size) == 0;
}

HANDLE StreamHandle(FILE *stream)
{
    return (HANDLE)_get_osfhandle(_fileno(stream));
}
