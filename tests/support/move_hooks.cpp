// Natively, the stand-in's moves pass through here (the unit tests are
// linked with --wrap=renameat2), so that a test can act between a move's
// checks and the move itself, or have a move behave as Windows' does where
// Linux has no such case.
#include "test_support.h"

#include <filesystem>
#include <utility>

#ifdef _WIN32
bool BeforeNextMove(std::function<void()>)
{
    return false;
}

bool NextMoveLeavesTheSource()
{
    return false;
}

void EndMoveHooks()
{
}
#else
namespace {

std::function<void()> beforeRename;
bool leaveSource;

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
    }
    if (leaveSource) {
        // Copied whole and reported done, the source left where it was.
        leaveSource = false;
        std::error_code error;
        std::filesystem::copy_file(from, to, error);
        return error ? -1 : 0;
    }
    return __real_renameat2(fromFolder, from, toFolder, to, flags);
}
}

bool BeforeNextMove(std::function<void()> action)
{
    beforeRename = std::move(action);
    return true;
}

bool NextMoveLeavesTheSource()
{
    leaveSource = true;
    return true;
}

void EndMoveHooks()
{
    beforeRename = nullptr;
    leaveSource = false;
}
#endif
