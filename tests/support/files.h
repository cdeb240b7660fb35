// Whole files, sized files, folders and paths, the same for every kind of
// test program: whole files through the C library, the rest with the Win32
// calls on Windows (and so under Wine) and POSIX calls elsewhere. Nothing here reports a failure itself: each call
// says whether it worked, and the caller reports it in its own way (a
// GoogleTest failure, a stopped fuzz run, a line of the benchmark).
#ifndef QUILLMOOR_SUPPORT_FILES_H
#define QUILLMOOR_SUPPORT_FILES_H

#include <string>

// A file holding exactly `bytes`, made or replaced.
bool WriteWholeFile(const std::string &path, const std::string &bytes);
// Every byte of a file; false when it cannot be opened or read. It is opened
// sharing reading and writing with other programs, as the C library does.
bool ReadWholeFile(const std::string &path, std::string *bytes);
// A file of exactly `size` bytes, without writing them (sparse where the
// file system allows): only names and sizes matter to the program.
bool MakeSizedFile(const std::string &path, unsigned long size);
bool PathExists(const std::string &path);
// -1 when the file cannot be looked at.
long long FileSize(const std::string &path);
// One folder; one that is there already counts as made.
bool EnsureFolder(const std::string &path);
bool ChangeDirectory(const std::string &path);

// `folder` and `name` joined with this build's separator.
std::string JoinPath(const std::string &folder, const std::string &name);
// A path as this build's file calls take it: on Windows a Unix path (from a
// command line written on the Linux side) becomes one on Wine's drive Z:.
std::string SystemPath(const std::string &path);

// A game folder as the program expects to run in it: <root>/main beside the
// program folder <root>/QuillmoorMM, which holds the mods folder.
struct GamePaths {
    std::string root;
    std::string mainFolder;
    std::string programFolder;
    std::string modsFolder;
};
GamePaths GamePathsIn(const std::string &root);
// Makes the root and the three folders below it.
bool MakeGameFolders(const GamePaths &game);

#endif
