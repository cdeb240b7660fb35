// Natively, the stand-in's moves, removals and looks at files pass through
// here (the unit tests are linked with --wrap for renameat2, unlink, stat and
// lstat), so that
// a test can act between a move's checks and the move itself, have a look
// or a move fail, or have a move behave as Windows' does where Linux has no
// such case.
#include "test_modes.h"

#include <filesystem>
#include <utility>

#ifndef _WIN32
#include <errno.h>
#include <sys/stat.h>
#endif

#ifdef _WIN32
bool BeforeNextMove(std::function<void()>, int)
{
    return false;
}

bool NextLooksFail(const std::string &, int)
{
    return false;
}

bool NextMoveLeavesTheSource()
{
    return false;
}

bool NextDeleteFails(const std::string &)
{
    return false;
}

void EndMoveHooks()
{
}
#else
namespace {

std::function<void()> beforeRename;
bool withoutNoReplaceRename;
int renameFailure;
bool leaveSource;
std::string failingLook;
int failingLooks;
std::string failingDelete;

// Whether this look at `path` is one the test made fail.
bool LookFails(const char *path)
{
    if (failingLooks == 0 || failingLook != path)
        return false;
    failingLooks--;
    errno = EIO;
    return true;
}

} // namespace

extern "C" {
int __real_renameat2(int fromFolder, const char *from, int toFolder, const char *to,
                     unsigned int flags);

int __wrap_renameat2(int fromFolder, const char *from, int toFolder, const char *to,
                     unsigned int flags)
{
    if (beforeRename) {
        std::function<void()> action = std::move(beforeRename);
        beforeRename = nullptr;
        action();
        if (renameFailure != 0) {
            errno = renameFailure;
            renameFailure = 0;
            return -1;
        }
    }
    if (leaveSource) {
        // Copied whole and reported done, the source left where it was.
        leaveSource = false;
        std::error_code error;
        std::filesystem::copy_file(from, to, error);
        return error ? -1 : 0;
    }
    if (withoutNoReplaceRename) {
        // As a file system that knows no such flag answers.
        errno = EINVAL;
        return -1;
    }
    return __real_renameat2(fromFolder, from, toFolder, to, flags);
}

int __real_unlink(const char *path);

int __wrap_unlink(const char *path)
{
    if (!failingDelete.empty() && failingDelete == path) {
        failingDelete.clear();
        errno = EACCES;
        return -1;
    }
    return __real_unlink(path);
}

int __real_stat(const char *path, struct stat *info);
int __real_lstat(const char *path, struct stat *info);

int __wrap_stat(const char *path, struct stat *info)
{
    return LookFails(path) ? -1 : __real_stat(path, info);
}

int __wrap_lstat(const char *path, struct stat *info)
{
    return LookFails(path) ? -1 : __real_lstat(path, info);
}
}

bool BeforeNextMove(std::function<void()> action, int failWith)
{
    beforeRename = std::move(action);
    renameFailure = failWith;
    return true;
}

bool NextLooksFail(const std::string &path, int count)
{
    failingLook = path;
    failingLooks = count;
    return true;
}

bool NextMoveLeavesTheSource()
{
    leaveSource = true;
    return true;
}

bool NextDeleteFails(const std::string &path)
{
    failingDelete = path;
    return true;
}

void MoveWithoutNoReplaceRename()
{
    withoutNoReplaceRename = true;
}

void EndMoveHooks()
{
    beforeRename = nullptr;
    renameFailure = 0;
    leaveSource = false;
    failingLooks = 0;
    failingDelete.clear();
    withoutNoReplaceRename = false;
}
#endif
