// The benchmark's game folders: a main folder and a program folder with its
// mods, filled with archives of made-up names and sizes, and ignore lists
// of a given length.
#ifndef QUILLMOOR_BENCH_FOLDERS_H
#define QUILLMOOR_BENCH_FOLDERS_H

#include <string>

// <root>/main with `installed` archives and <root>/QuillmoorMM/mods with
// `available` ones. The program folder is where the program runs.
struct BenchGame {
    std::string root;
    std::string mainFolder;
    std::string programFolder;
    std::string modsFolder;
};

// A path as this build's file calls take it: on Windows a Unix path given
// on the command line becomes one on Wine's drive Z:.
std::string SystemPath(const std::string &path);
std::string JoinPath(const std::string &folder, const std::string &name);

bool MakeFolder(const std::string &path);
bool WriteTextFile(const std::string &path, const std::string &text);
bool ChangeDirectory(const std::string &path);
// -1 when the file cannot be looked at.
long long FileSize(const std::string &path);

// Lays the folders out once; a later run with the same counts reuses them.
bool PrepareGame(const std::string &root, int installed, int available, BenchGame *game);

// `entries` names of stock archives that no archive of the game folders
// carries, so that every name tested reads the whole list.
std::string IgnoreListText(int entries);

#endif
