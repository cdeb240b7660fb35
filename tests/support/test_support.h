// What the unit tests share beyond the vocabulary of files.h: a game folder
// made for one test (on a small volume where asked), names the narrow calls
// cannot hold, and the few file operations only they need. A set-up step
// that can fail is checked where it is called:
// ASSERT_TRUE(WriteWholeFile(...)).
#ifndef QUILLMOOR_TEST_SUPPORT_H
#define QUILLMOOR_TEST_SUPPORT_H

#include "files.h"
#include "platform.h"

#include <functional>
#include <string>
#include <vector>

// A fresh game folder in the temporary directory. While it lives, the
// current directory is its program folder, as when the program runs; paths
// below are relative to it.
struct TemporaryGame : GameFolder {
    TemporaryGame();
    ~TemporaryGame();
    TemporaryGame(const TemporaryGame &) = delete;
    TemporaryGame &operator=(const TemporaryGame &) = delete;

    std::string previousFolder;
};

// A folder of its own, made fresh under `parent` with a name no other run
// has left there (a killed run leaves its folders behind).
std::string MakeUniqueFolder(const std::string &parent);

// A game folder one of whose parts lies on a small volume of its own (256
// KiB), apart from the rest: "main", "mods" or "program" (the program folder
// with ignore.list and mods). Natively it mounts one where it may (as root);
// under Wine it takes the ones that scripts/with-tmpfs --small-volumes mounted. When
// there is none, `missing` says why and the current directory is unchanged.
struct SmallVolumeGame : GameFolder {
    explicit SmallVolumeGame(const std::string &part);
    ~SmallVolumeGame();
    SmallVolumeGame(const SmallVolumeGame &) = delete;
    SmallVolumeGame &operator=(const SmallVolumeGame &) = delete;

    std::string missing;
    std::string previousFolder;
    std::string mountPoint; // natively, the volume mounted here
};

// The names a narrow search of `pattern` yields, in the order it yields
// them: the order every scan of that folder follows.
std::vector<std::string> SearchOrder(const std::string &pattern);

// Fills the volume holding `folder` with a file there until it takes no
// more; false when no file can be made there.
bool FillVolume(const std::string &folder);

// A file name as the system holds it, which the narrow calls may not: wide
// on Windows, bytes on Linux. On Windows a `raw` name is made past path
// normalisation, which would drop its final dot or space.
struct HostileName {
#ifdef _WIN32
    const wchar_t *name;
#else
    const char *name;
#endif
    bool raw;
};
// A file of such a name, while it lives; `made` is false, with a note,
// where the system cannot make one. It is removed by its own name: a file
// whose name ends in a dot or space is out of reach of the usual calls.
struct HostileFile {
    HostileFile(const std::string &folder, const HostileName &name, const std::string &bytes);
    ~HostileFile();
    HostileFile(const HostileFile &) = delete;
    HostileFile &operator=(const HostileFile &) = delete;

    bool made = false;
#ifdef _WIN32
    std::wstring path;
#else
    std::string path;
#endif
};

// A file or a folder with everything in it; gone already counts as removed.
void RemovePath(const std::string &path);
// The absolute form of a path relative to the current directory, with the
// system's separators, for comparing with the full-path column.
std::string AbsolutePath(const std::string &path);
// Marks a file read-only; false where this process may write to it anyway
// (root on Linux, and so under Wine), in which case a test of it proves nothing.
bool MakeReadOnly(const std::string &path);
void MakeWritable(const std::string &path);

#endif
