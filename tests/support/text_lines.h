// Text cut into parts, for tests that compare a text line by line or read
// a text of their own made of parts.
#ifndef QUILLMOOR_SUPPORT_TEXT_LINES_H
#define QUILLMOOR_SUPPORT_TEXT_LINES_H

#include <string>
#include <vector>

// The parts of `text` between its `separator`s, each kept as it is; the
// part after the last separator is one too, empty where the text ends in
// one.
std::vector<std::string> SplitText(const std::string &text, const std::string &separator);
// The lines of `text` between its "\r\n" breaks.
std::vector<std::string> SplitLines(const std::string &text);

#endif
