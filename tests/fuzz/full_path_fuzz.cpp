// Fuzzing the Linux stand-in for GetFullPathNameA against a plain model of
// folding a path as text.
//
// The input is two bytes of buffer size (little-endian, taken modulo 600)
// and then the path, up to its first zero byte.
#include "fuzz_support.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// Replaces the first `from` in `text` with `to`; false when there is none.
bool ReplaceFirst(std::string &text, const char *from, const char *to)
{
    size_t at = text.find(from);
    if (at == std::string::npos)
        return false;
    text.replace(at, strlen(from), to);
    return true;
}

// Removes the first "/<folder>/../", or a "/../" at the root; false when
// there is none.
bool DropFirstParentStep(std::string &text)
{
    size_t at = text.find("/../");
    if (at == std::string::npos)
        return false;
    size_t folder = at == 0 ? 0 : text.rfind('/', at - 1);
    text.erase(folder, at + 3 - folder);
    return true;
}

// The full path by rewriting: either separator, made absolute against the
// current folder, then "//" to "/", "/./" to "/" and "/x/.." to "/" until
// none is left. A separator at the end of the path stays at the end.
std::string FoldedPath(const std::string &current, std::string path)
{
    for (char &c : path)
        if (c == '\\')
            c = '/';
    std::string text = path[0] == '/' ? path : current + "/" + path;
    bool endsInSeparator = text.back() == '/';
    text += '/';
    while (ReplaceFirst(text, "//", "/") || ReplaceFirst(text, "/./", "/") ||
           DropFirstParentStep(text)) {
    }
    if (text.size() > 1 && !endsInSeparator)
        text.pop_back();
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool ready = EnterScratchGameFolder();
    (void)ready;
    if (size < 2)
        return 0;
    const DWORD bufferSize = (DWORD)((data[0] | data[1] << 8) % 600);
    const std::string path =
        std::string(reinterpret_cast<const char *>(data + 2), size - 2).c_str();

    // Exactly the room given, so that a write past it is caught.
    std::vector<char> buffer(bufferSize, '\x55');
    char *filePart = reinterpret_cast<char *>(&buffer);
    DWORD result = GetFullPathNameA(path.c_str(), bufferSize,
                                    bufferSize ? buffer.data() : nullptr, &filePart);
    if (path.empty()) {
        Check(result == 0, "an empty path has no full path");
        return 0;
    }

    char current[4096];
    Check(getcwd(current, sizeof current) != nullptr, "the current folder is known");
    const std::string expected = FoldedPath(current, path);
    if (expected.size() + 1 > bufferSize) {
        Check(result == expected.size() + 1,
              "a buffer too small gets the size needed, terminator included");
        Check(std::vector<char>(bufferSize, '\x55') == buffer,
              "a buffer too small is left as it was");
        return 0;
    }
    Check(result == expected.size(), "the length of the full path is returned");
    Check(memcmp(buffer.data(), expected.c_str(), expected.size() + 1) == 0,
          "the full path is the path folded as text");
    size_t lastSeparator = expected.rfind('/');
    Check(lastSeparator + 1 == expected.size() ? filePart == nullptr
                                               : filePart == buffer.data() + lastSeparator + 1,
          "the file part is what follows the last separator, if anything");
    return 0;
}
