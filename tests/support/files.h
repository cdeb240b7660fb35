// The tests' one vocabulary for the game folder and its files, the same for
// every kind of test program (unit tests, fuzz targets, end-to-end driver,
// benchmark), one name per operation:
//   the game folder  GameFolder, GameFolderIn, MakeGameFolder
//   files            WriteWholeFile, ReadWholeFile, MakeSizedFile, FileSize
//   folders          PathExists, EnsureFolder, ChangeDirectory
//   paths            JoinPath, SystemPath
// Whole files and their sizes go through the C library, the rest through the
// Win32 calls on Windows (and so under Wine) and POSIX calls elsewhere. Nothing here reports
// a failure itself: each call says whether it worked, and the caller reports
// it in its own way (ASSERT_TRUE in a test, a stopped fuzz run, a line of the
// benchmark).
#ifndef QUILLMOOR_SUPPORT_FILES_H
#define QUILLMOOR_SUPPORT_FILES_H

#include <string>

// A file holding exactly `bytes`, made or replaced.
bool WriteWholeFile(const std::string &path, const std::string &bytes);
// What ReadWholeFile gives for a file it cannot open or read.
extern const char MissingFile[];
// Every byte of a file, or MissingFile. It is opened sharing reading and
// writing with other programs, as the C library does.
std::string ReadWholeFile(const std::string &path);
// A file of exactly `size` bytes, without writing them (sparse where the
// file system allows): only names and sizes matter to the program.
bool MakeSizedFile(const std::string &path, unsigned long size);
bool PathExists(const std::string &path);
// -1 when the file cannot be looked at.
long long FileSize(const std::string &path);
// One folder, its parent already there; one that is there already counts
// as made.
bool EnsureFolder(const std::string &path);
bool ChangeDirectory(const std::string &path);

// `folder` and `name` joined with this build's separator.
std::string JoinPath(const std::string &folder, const std::string &name);
// A path as this build's file calls take it: on Windows a Unix path (from a
// command line written on the Linux side) becomes one on Wine's drive Z:.
std::string SystemPath(const std::string &path);

// A game folder as the program expects to run in it: <root>/main beside the
// program folder <root>/QuillmoorMM, which holds the mods folder and the
// ignore list. The unit tests' temporary game and the end-to-end cases'
// layout are game folders too.
struct GameFolder {
    std::string root;
    std::string mainFolder;
    std::string programFolder;
    std::string modsFolder;
    std::string ignoreFile;
};
GameFolder GameFolderIn(const std::string &root);
// Makes the root and the three folders below it (not the ignore list).
bool MakeGameFolder(const GameFolder &game);

#endif
