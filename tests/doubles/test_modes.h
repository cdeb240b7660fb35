// Ways to make the platform behave as another system does, or fail where a
// real system rarely fails, for the unit tests. Natively they change the
// Linux stand-in's calls from outside it: the unit tests are linked with
// --wrap over those calls (tests/doubles/CMakeLists.txt), and the stand-in
// itself knows nothing of them. Under Windows the system lists names and
// copies between volumes as these modes make the stand-in do, and the calls
// do nothing. Each mode is off until a test turns it on; EndTestModes turns
// them all off again.
#ifndef QUILLMOOR_TEST_MODES_H
#define QUILLMOOR_TEST_MODES_H

#include <stddef.h>

#include <functional>
#include <string>

// Lists names as Wine does with a single-byte code page: each UTF-8
// character outside ASCII comes back as one narrow character, U+0101 by
// best fit as "a", any other as "?"; such a name, and a full path holding
// one, is then not the file's own.
void ListNamesByCodePage();
// A move between volumes whose copy fails leaves what it copied, as Wine's
// does.
void KeepFailedCopies();
// Natively only: moves as on a file system without no-replace renames.
void MoveWithoutNoReplaceRename();
// Natively only: the next read of a stream gives at most `bytes` bytes and
// then fails.
void FailNextRead(size_t bytes);
// Natively only: the next text put to a stream (fputs) fails, writing
// nothing.
void FailNextPut();
// Ends every mode and drops any move hook (below) that no move used.
void EndTestModes();

// The move hooks (move_hooks.cpp). Natively,
// `action` runs just before the next move's rename, after the move's own
// checks, and with `failWith` the rename then fails with that errno; on
// Windows there is no such hook, and this is false.
bool BeforeNextMove(std::function<void()> action, int failWith = 0);
// Natively, the next `count` looks at `path` (as the stand-in passes it,
// with '/') fail with EIO, as on a share that does not answer; false on
// Windows.
bool NextLooksFail(const std::string &path, int count);
// Natively, the next move copies the file whole and reports success while
// the source stays, as Windows' move between volumes does when the source
// cannot be deleted; false on Windows.
bool NextMoveLeavesTheSource();
// Natively, the next removal of `path` (as the stand-in passes it) fails
// with EACCES, as for a file another program holds; false on Windows.
bool NextDeleteFails(const std::string &path);
// Natively, `action` runs once the next scan has listed its folder's own
// names and before its narrow search, as if the folder changed while it
// was read; false on Windows.
bool BetweenTheNextListings(std::function<void()> action);

#endif
