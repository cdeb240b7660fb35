// Linux stand-ins for the Win32 file calls of the core. They keep Win32's
// contracts where the core relies on them: a search yields the folder's
// entries matching the pattern case-insensitively, a full path is folded as
// text without touching the disk, and a move never replaces its destination.
// A path reaches its file as under Wine: each part by its exact name where
// the folder has one, else by the folder's first entry of that name in
// another case (a Linux folder can hold both "Mod.iwd" and "mod.iwd").
#include "platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

DWORD lastError;

// Win32 paths use backslashes; Linux takes either separator from the core.
std::string UnixPath(const char *path)
{
    std::string result(path ? path : "");
    for (char &c : result)
        if (c == '\\')
            c = '/';
    return result;
}

// The path a Win32 path reaches, found as Wine finds it; false, with errno,
// when the look itself failed. The exact path is looked at first, so that a
// path that is there costs one look.
bool Reach(const char *path, std::string *reachedPath)
{
    std::string exact = UnixPath(path);
    *reachedPath = exact;
    struct stat info;
    if (lstat(exact.c_str(), &info) == 0)
        return true;
    if (errno != ENOENT)
        return false;
    std::string reached;
    size_t start = 0;
    if (!exact.empty() && exact[0] == '/') {
        reached = "/";
        start = 1;
    }
    while (start <= exact.size()) {
        size_t end = exact.find('/', start);
        if (end == std::string::npos)
            end = exact.size();
        std::string part = exact.substr(start, end - start);
        std::string folder = reached.empty() ? "." : reached;
        std::string tried = reached + part;
        if (!part.empty() && part != "." && part != ".." && lstat(tried.c_str(), &info) != 0) {
            if (DIR *dir = opendir(folder.c_str())) {
                while (struct dirent *entry = readdir(dir)) {
                    if (strcasecmp(entry->d_name, part.c_str()) == 0) {
                        tried = reached + entry->d_name;
                        break;
                    }
                }
                closedir(dir);
            }
        }
        reached = tried;
        if (end < exact.size())
            reached += '/';
        start = end + 1;
    }
    *reachedPath = reached;
    return true;
}

std::string ReachedPath(const char *path)
{
    std::string reached;
    Reach(path, &reached);
    return reached;
}

bool HasWildcards(const std::string &pattern)
{
    return pattern.find_first_of("*?") != std::string::npos;
}

struct Search {
    DIR *dir;
    std::string folder;
    std::string pattern;
    std::string only; // a pattern without wildcards: the one name it reached
};

bool NextMatch(Search *search, WIN32_FIND_DATAA *found)
{
    while (struct dirent *entry = readdir(search->dir)) {
        if (!strcmp(entry->d_name, ".") || !strcmp(entry->d_name, ".."))
            continue;
        // Like Wine, a name holding a backslash is listed as it is: the
        // core must see that it would name another file in a path.
        if (search->only.empty()
                ? fnmatch(search->pattern.c_str(), entry->d_name, FNM_CASEFOLD) != 0
                : search->only != entry->d_name)
            continue;
        memset(found, 0, sizeof *found);
        snprintf(found->cFileName, sizeof found->cFileName, "%s", entry->d_name);
        std::string full = search->folder + "/" + entry->d_name;
        struct stat info;
        if (stat(full.c_str(), &info) == 0 || lstat(full.c_str(), &info) == 0) {
            uint64_t size = (uint64_t)info.st_size;
            found->nFileSizeLow = (DWORD)size;
            found->nFileSizeHigh = (DWORD)(size >> 32);
            found->dwFileAttributes =
                S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
        }
        return true;
    }
    return false;
}

bool CopyWhole(const char *from, const char *to)
{
    // Not blocking: a pipe named like a mod must fail, not hang the move.
    int source = open(from, O_RDONLY | O_NONBLOCK);
    if (source < 0)
        return false;
    struct stat info;
    bool stated = fstat(source, &info) == 0;
    if (!stated || !S_ISREG(info.st_mode)) {
        // Like Win32, a folder is not moved across volumes.
        int code = !stated ? errno : S_ISDIR(info.st_mode) ? EXDEV : EINVAL;
        close(source);
        errno = code;
        return false;
    }
    int target = open(to, O_WRONLY | O_CREAT | O_EXCL, info.st_mode & 07777);
    if (target < 0) {
        int code = errno;
        close(source);
        errno = code;
        return false;
    }
    char block[65536];
    bool ok = true;
    for (;;) {
        ssize_t got = read(source, block, sizeof block);
        if (got == 0)
            break;
        if (got < 0) {
            ok = false;
            break;
        }
        for (ssize_t done = 0; ok && done < got;) {
            ssize_t put = write(target, block + done, (size_t)(got - done));
            if (put < 0)
                ok = false;
            else
                done += put;
        }
        if (!ok)
            break;
    }
    // The moved file keeps its times, as a move within one volume does; a
    // file system that cannot keep them still gets the contents.
    struct timespec times[2] = {info.st_atim, info.st_mtim};
    if (ok)
        futimens(target, times);
    if (ok && fsync(target) != 0)
        ok = false;
    int code = errno;
    if (close(target) != 0 && ok) {
        ok = false;
        code = errno;
    }
    close(source);
    if (!ok) {
        unlink(to);
        errno = code;
    }
    return ok;
}

} // namespace

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA *found)
{
    std::string path = UnixPath(pattern);
    size_t slash = path.rfind('/');
    Search *search = new Search;
    search->folder = slash == std::string::npos ? "." : path.substr(0, slash);
    search->pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (search->folder.empty())
        search->folder = "/";
    search->folder = ReachedPath(search->folder.c_str());
    // Without wildcards a search finds the one entry the path reaches.
    if (!HasWildcards(search->pattern)) {
        std::string reached = ReachedPath((search->folder + "/" + search->pattern).c_str());
        search->only = reached.substr(reached.rfind('/') + 1);
    }
    search->dir = opendir(search->folder.c_str());
    if (!search->dir) {
        lastError = errno;
        delete search;
        return INVALID_HANDLE_VALUE;
    }
    if (!NextMatch(search, found)) {
        closedir(search->dir);
        delete search;
        lastError = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    return search;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA *found)
{
    if (NextMatch(static_cast<Search *>(handle), found))
        return TRUE;
    lastError = ERROR_NO_MORE_FILES;
    return FALSE;
}

BOOL FindClose(HANDLE handle)
{
    Search *search = static_cast<Search *>(handle);
    closedir(search->dir);
    delete search;
    return TRUE;
}

// Linux names are bytes, and the narrow calls take them as they are: every
// name the stand-in lists, and every path it makes, is the file's own.
bool ListOwnNames(LPCSTR pattern, OwnNameReceiver receive, void *context)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool whole = true;
    do
        whole =
            receive(found.cFileName, found.nFileSizeLow, found.nFileSizeHigh, true, context);
    while (whole && FindNextFileA(search, &found));
    FindClose(search);
    return whole;
}

void MakeOwnFullPath(LPCSTR relative, char *fullPath, DWORD size)
{
    DWORD made = GetFullPathNameA(relative, size, fullPath, nullptr);
    if (made == 0 || made >= size)
        fullPath[0] = '\0';
}

// Every scan makes one full path per file: the folding works in two strings
// and the current folder is read into a buffer of its own, rather than
// splitting the path into a list of parts.
DWORD GetFullPathNameA(LPCSTR path, DWORD size, LPSTR buffer, LPSTR *filePart)
{
    std::string joined = UnixPath(path);
    if (joined.empty()) {
        lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    if (joined[0] != '/') {
        // A current folder too deep for the buffer is asked for again at
        // its full length.
        char current[PATH_MAX];
        char *deep = nullptr;
        const char *folder = getcwd(current, sizeof current);
        if (!folder && errno == ERANGE)
            folder = deep = getcwd(nullptr, 0);
        if (!folder) {
            lastError = errno;
            return 0;
        }
        joined.insert(0, "/");
        joined.insert(0, folder);
        free(deep);
    }
    // "." and ".." are folded as text, as Win32 does: no link is followed.
    // `folded` holds "/" and the part for each part kept so far.
    std::string folded;
    folded.reserve(joined.size() + 1);
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find('/', start);
        if (end == std::string::npos)
            end = joined.size();
        size_t length = end - start;
        const char *part = joined.c_str() + start;
        if (length == 2 && part[0] == '.' && part[1] == '.') {
            if (!folded.empty())
                folded.resize(folded.rfind('/'));
        } else if (length > 0 && !(length == 1 && part[0] == '.')) {
            folded += '/';
            folded.append(part, length);
        }
        start = end + 1;
    }
    if (folded.empty() || joined.back() == '/')
        folded += "/";

    if (folded.size() + 1 > size)
        return (DWORD)(folded.size() + 1);
    memcpy(buffer, folded.c_str(), folded.size() + 1);
    if (filePart) {
        char *last = strrchr(buffer, '/');
        *filePart = last && last[1] ? last + 1 : nullptr;
    }
    return (DWORD)folded.size();
}

BOOL MoveFileA(LPCSTR from, LPCSTR to)
{
    std::string source, target;
    if (!Reach(from, &source) || !Reach(to, &target)) {
        lastError = errno;
        return FALSE;
    }
    // A destination reached in another case is there already, as under Wine.
    struct stat there;
    if (target != UnixPath(to) && lstat(target.c_str(), &there) == 0) {
        lastError = EEXIST;
        return FALSE;
    }
    int renamed =
        renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    if (renamed == 0)
        return TRUE;
    if (errno == EINVAL || errno == ENOSYS) {
        // A file system without no-replace renames: a hard link fails on
        // an existing destination just the same.
        if (link(source.c_str(), target.c_str()) == 0) {
            if (unlink(source.c_str()) == 0)
                return TRUE;
            int code = errno;
            unlink(target.c_str());
            lastError = code;
            return FALSE;
        }
    }
    if (errno != EXDEV) {
        lastError = errno;
        return FALSE;
    }
    // Across file systems: copy whole, then remove the source; until the
    // copy is complete and flushed the source is left alone.
    if (!CopyWhole(source.c_str(), target.c_str())) {
        lastError = errno;
        return FALSE;
    }
    if (unlink(source.c_str()) != 0) {
        int code = errno;
        unlink(target.c_str());
        lastError = code;
        return FALSE;
    }
    return TRUE;
}

BOOL DeleteFileA(LPCSTR path)
{
    std::string reached;
    if (Reach(path, &reached) && unlink(reached.c_str()) == 0)
        return TRUE;
    lastError = errno;
    return FALSE;
}

BOOL GetFileAttributesExA(LPCSTR path, GET_FILEEX_INFO_LEVELS, void *information)
{
    // Like Wine, a link is followed; a dangling one is still there.
    std::string unixPath = ReachedPath(path);
    struct stat info;
    if (stat(unixPath.c_str(), &info) != 0 && lstat(unixPath.c_str(), &info) != 0) {
        lastError = errno;
        return FALSE;
    }
    WIN32_FILE_ATTRIBUTE_DATA *data = static_cast<WIN32_FILE_ATTRIBUTE_DATA *>(information);
    memset(data, 0, sizeof *data);
    data->dwFileAttributes =
        S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    // Like Wine, a file its owner may not write is read-only.
    if (!(info.st_mode & S_IWUSR))
        data->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    data->nFileSizeLow = (DWORD)(uint64_t)info.st_size;
    data->nFileSizeHigh = (DWORD)((uint64_t)info.st_size >> 32);
    return TRUE;
}

BOOL SetFileAttributesA(LPCSTR path, DWORD attributes)
{
    std::string unixPath = ReachedPath(path);
    struct stat info;
    if (stat(unixPath.c_str(), &info) != 0) {
        lastError = errno;
        return FALSE;
    }
    mode_t mode = info.st_mode & 07777;
    mode = attributes & FILE_ATTRIBUTE_READONLY ? mode & ~0222 : mode | S_IWUSR;
    if (chmod(unixPath.c_str(), mode) != 0) {
        lastError = errno;
        return FALSE;
    }
    return TRUE;
}

// A file handle is its descriptor plus one: never 0, never
// INVALID_HANDLE_VALUE.
HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD, void *, DWORD disposition, DWORD, HANDLE)
{
    if (disposition != OPEN_EXISTING) {
        lastError = ERROR_INVALID_PARAMETER;
        return INVALID_HANDLE_VALUE;
    }
    // Like Wine, a link is followed. Never blocking: a pipe named like a
    // file must not hang its opener.
    int flags = access == 0 ? O_PATH : O_RDONLY | O_NONBLOCK;
    std::string reached;
    int file = Reach(path, &reached) ? open(reached.c_str(), flags | O_CLOEXEC) : -1;
    if (file < 0) {
        lastError = errno;
        return INVALID_HANDLE_VALUE;
    }
    return (HANDLE)(intptr_t)(file + 1);
}

namespace {

int Descriptor(HANDLE file)
{
    return (int)(intptr_t)file - 1;
}

} // namespace

// The volume is the device, the index the inode: what stays with a file
// whatever name reaches it.
BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION *information)
{
    struct stat info;
    if (fstat(Descriptor(file), &info) != 0) {
        lastError = errno;
        return FALSE;
    }
    memset(information, 0, sizeof *information);
    information->dwFileAttributes =
        S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    information->dwVolumeSerialNumber = (DWORD)info.st_dev;
    information->nFileSizeLow = (DWORD)(uint64_t)info.st_size;
    information->nFileSizeHigh = (DWORD)((uint64_t)info.st_size >> 32);
    information->nNumberOfLinks = (DWORD)info.st_nlink;
    information->nFileIndexLow = (DWORD)(uint64_t)info.st_ino;
    information->nFileIndexHigh = (DWORD)((uint64_t)info.st_ino >> 32);
    return TRUE;
}

DWORD GetFileType(HANDLE file)
{
    struct stat info;
    if (fstat(Descriptor(file), &info) != 0) {
        lastError = errno;
        return FILE_TYPE_UNKNOWN;
    }
    if (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))
        return FILE_TYPE_DISK;
    if (S_ISCHR(info.st_mode))
        return FILE_TYPE_CHAR;
    return S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) ? FILE_TYPE_PIPE
                                                            : FILE_TYPE_UNKNOWN;
}

BOOL CloseHandle(HANDLE file)
{
    if (close(Descriptor(file)) == 0)
        return TRUE;
    lastError = errno;
    return FALSE;
}

HANDLE StreamHandle(FILE *stream)
{
    return (HANDLE)(intptr_t)(fileno(stream) + 1);
}

DWORD GetLastError(void)
{
    return lastError;
}

void SetLastError(DWORD code)
{
    lastError = code;
}

DWORD FormatMessageA(DWORD flags, const void *, DWORD code, DWORD, LPSTR buffer, DWORD, void *)
{
    if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || !(flags & FORMAT_MESSAGE_ALLOCATE_BUFFER)) {
        lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    // Like the system, fail for a code that has no message.
    const char *text = strerrordesc_np((int)code);
    if (!text) {
        lastError = ENOMSG;
        return 0;
    }
    char *copy = strdup(text);
    if (!copy) {
        lastError = ENOMEM;
        return 0;
    }
    *reinterpret_cast<char **>(buffer) = copy;
    return (DWORD)strlen(copy);
}

HLOCAL LocalFree(HLOCAL memory)
{
    free(memory);
    return nullptr;
}

bool TruncateStream(FILE *stream, long size)
{
    return fflush(stream) == 0 && ftruncate(fileno(stream), size) == 0;
}
