// Streams that fail on a test's word (test_modes.h): the unit tests are
// linked with --wrap=fread and --wrap=fputs, so that every read and put of
// the program's stream calls, and of the tests' own, passes through here.
#include "test_modes.h"

#include <errno.h>
#include <stdio.h>

namespace {

bool failRead;
size_t readBytes;
bool failPut;

} // namespace

void FailNextRead(size_t bytes)
{
    failRead = true;
    readBytes = bytes;
}

void FailNextPut()
{
    failPut = true;
}

void EndStreamFailures()
{
    failRead = false;
    failPut = false;
}

extern "C" {
size_t __real_fread(void *buffer, size_t size, size_t count, FILE *stream);
int __real_fputs(const char *text, FILE *stream);

size_t __wrap_fread(void *buffer, size_t size, size_t count, FILE *stream)
{
    if (!failRead)
        return __real_fread(buffer, size, count, stream);
    failRead = false;
    size_t got =
        __real_fread(buffer, 1, readBytes < size * count ? readBytes : size * count, stream);
    // glibc's own error flag, which ferror reads: a read error as the disk
    // would give it.
    stream->_flags |= _IO_ERR_SEEN;
    errno = EIO;
    return got / size;
}

int __wrap_fputs(const char *text, FILE *stream)
{
    if (!failPut)
        return __real_fputs(text, stream);
    failPut = false;
    errno = ENOSPC;
    return EOF;
}
}
