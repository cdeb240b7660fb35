#include "text_lines.h"

std::vector<std::string> SplitText(const std::string &text, const std::string &separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<std::string> SplitLines(const std::string &text)
{
    return SplitText(text, "\r\n");
}
