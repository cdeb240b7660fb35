// What only the Linux side can make, for the tests that must see how the
// program meets it: names that differ only in case, names holding a
// backslash, pipes, a file renamed over one the program holds. Windows calls
// cannot make these, and under Wine they reach Linux only through Wine's own
// rules.
#ifndef QUILLMOOR_SUPPORT_LINUX_SIDE_H
#define QUILLMOOR_SUPPORT_LINUX_SIDE_H

#include <string>

// Whether there is a Linux side: natively, and under Wine; not on Windows
// itself, where a test of it is skipped with `LinuxSideMissing`.
bool HasLinuxSide();
extern const char LinuxSideMissing[];
// Runs `commands` with the Linux shell in the current directory and waits
// for them to end; true when they succeeded. Natively they run as they are;
// under Wine as a Linux program.
bool OnLinuxSide(const std::string &commands);

#endif
