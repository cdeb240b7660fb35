// The Linux stand-in made to list names and move files as Wine does, where
// a test asks for it (test_modes.h). The unit tests are linked with --wrap
// over the calls below: the program's code, and the tests' own, reach the
// stand-in through here, and the stand-in knows nothing of it.
#include "test_modes.h"

#ifdef _WIN32
void ListNamesByCodePage()
{
}

bool BetweenTheNextListings(std::function<void()>)
{
    return false;
}

void KeepFailedCopies()
{
}

void EndTestModes()
{
}
#else
#include "platform.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>

void EndStreamFailures();
void EndMoveHooks();

namespace {

bool namesByCodePage;
bool keepFailedCopies;
std::function<void()> betweenListings;

// The name as Wine lists it with a single-byte code page; true when that
// changed it.
bool ListByCodePage(const char *name, char *listed, size_t size)
{
    bool changed = false;
    size_t out = 0;
    for (const unsigned char *in = (const unsigned char *)name; *in && out + 1 < size;) {
        if (*in < 0x80) {
            listed[out++] = (char)*in++;
            continue;
        }
        const unsigned char first = *in++;
        unsigned codePoint = first;
        if ((first & 0xE0) == 0xC0 && (*in & 0xC0) == 0x80)
            codePoint = (first & 0x1Fu) << 6 | (*in++ & 0x3Fu);
        else
            while ((*in & 0xC0) == 0x80)
                in++;
        listed[out++] = codePoint == 0x101 ? 'a' : '?';
        changed = true;
    }
    listed[out] = '\0';
    return changed;
}

void ListFoundByCodePage(WIN32_FIND_DATAA *found)
{
    char listed[MAX_PATH];
    ListByCodePage(found->cFileName, listed, sizeof listed);
    memcpy(found->cFileName, listed, sizeof listed);
}

struct CodePageListing {
    OwnNameReceiver receive;
    void *context;
};

bool ReceiveByCodePage(const char *name, DWORD sizeLow, DWORD sizeHigh, bool own, void *context)
{
    const CodePageListing *listing = static_cast<const CodePageListing *>(context);
    char listed[MAX_PATH];
    bool changed = ListByCodePage(name, listed, sizeof listed);
    return listing->receive(listed, sizeLow, sizeHigh, own && !changed, listing->context);
}

bool OnOtherVolumes(const char *from, const char *to)
{
    std::string folder = to;
    size_t separator = folder.find_last_of("/\\");
    folder = separator == std::string::npos ? "." : folder.substr(0, separator);
    for (char &c : folder)
        if (c == '\\')
            c = '/';
    struct stat source, target;
    return stat(from, &source) == 0 && stat(folder.c_str(), &target) == 0 &&
           source.st_dev != target.st_dev;
}

// A copy between volumes that failed for want of room or a write error, not
// a source that could not be removed afterwards.
bool IsCopyFailure(DWORD code)
{
    return code == ENOSPC || code == EDQUOT || code == EFBIG || code == EIO;
}

// What Wine's failed copy between volumes leaves: as much of the file as
// the destination took.
void LeavePartialCopy(const char *from, const char *to)
{
    std::string target = to;
    for (char &c : target)
        if (c == '\\')
            c = '/';
    int in = open(from, O_RDONLY);
    int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    char block[65536];
    ssize_t got;
    while (in >= 0 && out >= 0 && (got = read(in, block, sizeof block)) > 0) {
        if (write(out, block, (size_t)got) != got)
            break;
    }
    if (in >= 0)
        close(in);
    if (out >= 0)
        close(out);
}

} // namespace

void ListNamesByCodePage()
{
    namesByCodePage = true;
}

void KeepFailedCopies()
{
    keepFailedCopies = true;
}

bool BetweenTheNextListings(std::function<void()> action)
{
    betweenListings = std::move(action);
    return true;
}

void EndTestModes()
{
    namesByCodePage = false;
    keepFailedCopies = false;
    betweenListings = nullptr;
    EndStreamFailures();
    EndMoveHooks();
}

extern "C" {
HANDLE __real_FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA *found);
BOOL __real_FindNextFileA(HANDLE search, WIN32_FIND_DATAA *found);
bool __real_ListOwnNames(LPCSTR pattern, OwnNameReceiver receive, void *context);
void __real_MakeOwnFullPath(LPCSTR relative, char *fullPath, DWORD size);
BOOL __real_MoveFileA(LPCSTR from, LPCSTR to);

HANDLE __wrap_FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA *found)
{
    HANDLE search = __real_FindFirstFileA(pattern, found);
    if (namesByCodePage && search != INVALID_HANDLE_VALUE)
        ListFoundByCodePage(found);
    return search;
}

BOOL __wrap_FindNextFileA(HANDLE search, WIN32_FIND_DATAA *found)
{
    BOOL more = __real_FindNextFileA(search, found);
    if (namesByCodePage && more)
        ListFoundByCodePage(found);
    return more;
}

bool __wrap_ListOwnNames(LPCSTR pattern, OwnNameReceiver receive, void *context)
{
    CodePageListing listing = {receive, context};
    bool listed = namesByCodePage ? __real_ListOwnNames(pattern, ReceiveByCodePage, &listing)
                                  : __real_ListOwnNames(pattern, receive, context);
    if (betweenListings) {
        std::function<void()> action = std::move(betweenListings);
        betweenListings = nullptr;
        action();
    }
    return listed;
}

// A path holding a character the code page cannot hold is not the file's
// own either: its folders' names are converted too.
void __wrap_MakeOwnFullPath(LPCSTR relative, char *fullPath, DWORD size)
{
    __real_MakeOwnFullPath(relative, fullPath, size);
    char listed[MAX_PATH];
    if (namesByCodePage && ListByCodePage(fullPath, listed, sizeof listed))
        fullPath[0] = '\0';
}

BOOL __wrap_MoveFileA(LPCSTR from, LPCSTR to)
{
    if (__real_MoveFileA(from, to))
        return TRUE;
    DWORD code = GetLastError();
    WIN32_FILE_ATTRIBUTE_DATA destination;
    if (keepFailedCopies && IsCopyFailure(code) && OnOtherVolumes(from, to) &&
        !GetFileAttributesExA(to, GetFileExInfoStandard, &destination))
        LeavePartialCopy(from, to);
    SetLastError(code);
    return FALSE;
}
}
#endif
