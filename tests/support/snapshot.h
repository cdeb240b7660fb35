// What lies under a folder, taken whole, for every test program: a case
// compares the snapshots before and after to prove that only the change it
// asked for happened.
#ifndef QUILLMOOR_SUPPORT_SNAPSHOT_H
#define QUILLMOOR_SUPPORT_SNAPSHOT_H

#include <map>
#include <string>
#include <vector>

// Every file and folder under a folder, by its path relative to it ('/'
// between the parts, each name the system's own: bytes on Linux, UTF-8 of
// the wide name on Windows, so that a name the narrow calls cannot hold is
// told from its look-alike), with "folder" for a folder and
// SnapshotOfBytes of a file's contents. Paths longer than MAX_PATH are
// taken too.
typedef std::map<std::string, std::string> Snapshot;
// Something under the folder that cannot be read fails the case
// (GoogleTest), so that two failed snapshots never pass for equal ones.
Snapshot TakeSnapshot(const std::string &folder);

// How a snapshot shows a file of these bytes: its size and a checksum.
std::string SnapshotOfBytes(const std::string &bytes);

// `before` with one entry moved to another path, or removed (`to` empty):
// the snapshot a single install, uninstall or delete should leave. False
// in `*found` (if given) when `from` is not in it.
Snapshot MovedInSnapshot(Snapshot before, const std::string &from, const std::string &to,
                         bool *found = nullptr);

// The key a snapshot gives a path relative to its folder, written with this
// build's separators and narrow names (JoinPath).
std::string SnapshotKey(const std::string &relative);

// The files directly in the folder, as "name size", sorted: the short form
// a case writes out.
std::vector<std::string> NamesAndSizes(const std::string &folder);

#endif
