// quill_e2e_seed FOLDER
// Makes the archives of the end-to-end case with thousands of them, as
// thousands_of_archives.def describes them, in FOLDER/<folder of the game>,
// natively and before the suite runs: made one by one under Wine they take
// most of a minute, as Wine looks for every new name in the whole folder
// whatever its case. The case takes the folders over by renaming them (see
// QUILL_E2E_SEED) and makes them itself where they are missing. Whatever
// FOLDER held is removed first.
#include <stdio.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

bool MakeArchives(const fs::path &seed, const char *folder, const char *nameFormat, int count,
                  char fill, int sizeModulus)
{
    std::error_code error;
    fs::create_directories(seed / folder, error);
    if (error)
        return false;
    char name[64];
    for (int i = 0; i < count; ++i) {
        snprintf(name, sizeof name, nameFormat, i);
        std::ofstream file(seed / folder / name, std::ios::binary);
        file << std::string(i % sizeModulus, fill);
        if (!file.flush())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: quill_e2e_seed FOLDER\n");
        return 2;
    }
    fs::path seed = argv[1];
    std::error_code error;
    fs::remove_all(seed, error);
    bool made = !error;
#define ARCHIVES(folder, nameFormat, count, fill, sizeModulus)                                 \
    made = made && MakeArchives(seed, folder, nameFormat, count, fill, sizeModulus);
#include "thousands_of_archives.def"
#undef ARCHIVES
    if (!made) {
        fprintf(stderr, "quill_e2e_seed: cannot make the archives in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
