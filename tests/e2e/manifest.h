// What lies under a game folder, taken whole: what a case compares before
// and after to prove that only the change it asked for happened.
#ifndef QUILLMOOR_E2E_MANIFEST_H
#define QUILLMOOR_E2E_MANIFEST_H

#include <map>
#include <string>
#include <vector>

// "name size" for every entry of a folder, sorted: a snapshot to compare.
std::vector<std::string> FolderSnapshot(const std::string &folder);

// Every file and folder under `root`, by its path relative to it, with
// "size checksum" of its contents for a file and "folder" for a folder. An
// empty manifest with a failure when `root` cannot be read.
typedef std::map<std::string, std::string> Manifest;
Manifest TakeManifest(const std::string &root);
// `before` with one entry moved to another path or removed (`to` empty):
// the manifest a single install, uninstall or delete should leave.
Manifest MovedInManifest(Manifest before, const std::string &from, const std::string &to);

#endif
