// Laying out the benchmark's game folders. Archives are empty files of the
// right length (sparse where the file system allows): only their names and
// sizes matter to the program.
#include "bench_folders.h"

#include <stdio.h>

namespace {

// Sizes that give every kind of size text: bytes, kilobytes, megabytes.
const unsigned long ArchiveSizes[] = {900, 60000, 307200, 1703936, 2621440, 0, 20480};
const char *const ArchiveKinds[] = {"textures", "maps_extra", "voices_en", "weapons_pack",
                                    "hud",      "skins_hd",   "night_sky"};
const int ArchiveKindCount = sizeof ArchiveKinds / sizeof ArchiveKinds[0];

std::string ArchiveName(const char *prefix, int index)
{
    char name[64];
    snprintf(name, sizeof name, "%s_%05d_%s.iwd", prefix, index,
             ArchiveKinds[index % ArchiveKindCount]);
    return name;
}

bool FillFolder(const std::string &folder, const char *prefix, int count)
{
    if (!EnsureFolder(folder))
        return false;
    const int sizeCount = sizeof ArchiveSizes / sizeof ArchiveSizes[0];
    for (int i = 0; i < count; i++) {
        unsigned long size = ArchiveSizes[i % sizeCount] + (unsigned long)i;
        if (!MakeSizedFile(JoinPath(folder, ArchiveName(prefix, i)), size)) {
            fprintf(stderr, "bench: cannot write an archive in %s\n", folder.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

bool PrepareGame(const std::string &root, int installed, int available, GameFolder *game)
{
    *game = GameFolderIn(root);

    // Written last, so that a run cut short lays the folders out again.
    char counts[64];
    snprintf(counts, sizeof counts, "%d %d\n", installed, available);
    std::string marker = JoinPath(root, "prepared");
    if (ReadWholeFile(marker) == counts)
        return true;
    return EnsureFolder(root) && FillFolder(game->mainFolder, "base", installed) &&
           EnsureFolder(game->programFolder) &&
           FillFolder(game->modsFolder, "mod", available) && WriteWholeFile(marker, counts);
}

std::string IgnoreListText(int entries)
{
    std::string text;
    for (int i = 0; i < entries; i++) {
        char entry[32];
        snprintf(entry, sizeof entry, "stock_%03d.iwd\n", i);
        text += entry;
    }
    return text;
}
