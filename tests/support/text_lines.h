// Text cut into lines, for tests that compare a text line by line.
#ifndef QUILLMOOR_SUPPORT_TEXT_LINES_H
#define QUILLMOOR_SUPPORT_TEXT_LINES_H

#include <string>
#include <vector>

// The lines of `text` between its "\r\n" breaks; the part after the last
// break is a line too, empty where the text ends in one.
std::vector<std::string> SplitLines(const std::string &text);

#endif
