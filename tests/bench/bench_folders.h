// The benchmark's game folders: a main folder and a program folder with its
// mods, filled with archives of made-up names and sizes, and ignore lists
// of a given length. Paths, folders and files are those of files.h.
#ifndef QUILLMOOR_BENCH_FOLDERS_H
#define QUILLMOOR_BENCH_FOLDERS_H

#include "files.h"

#include <string>

// <root>/main with `installed` archives and <root>/QuillmoorMM/mods with
// `available` ones, laid out once: a later run with the same counts reuses
// them. The program folder is where the program runs.
bool PrepareGame(const std::string &root, int installed, int available, GameFolder *game);

// `entries` names of stock archives that no archive of the game folders
// carries, so that every name tested reads the whole list.
std::string IgnoreListText(int entries);

#endif
