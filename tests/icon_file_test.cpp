// The program's icon file as the resource compiler takes it: a directory of
// three images, 16 and 32 pixels at 8 bits and 48 pixels at 32 bits, each a
// whole bitmap (colours and mask) inside the file.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ReadIconFile()
{
    std::vector<unsigned char> bytes;
    FILE *file = fopen(QUILLMOOR_ICON_FILE, "rb");
    if (!file)
        return bytes;
    unsigned char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    fclose(file);
    return bytes;
}

unsigned Word(const std::vector<unsigned char> &bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8;
}

unsigned long Dword(const std::vector<unsigned char> &bytes, size_t at)
{
    return (unsigned long)Word(bytes, at) | (unsigned long)Word(bytes, at + 2) << 16;
}

unsigned long BigEndianDword(const std::vector<unsigned char> &bytes, size_t at)
{
    return (unsigned long)bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
           bytes[at + 3];
}

// A row of a bitmap is padded to whole 32-bit words.
size_t RowBytes(unsigned width, unsigned bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

struct DirectoryEntry {
    unsigned width;
    unsigned height;
    unsigned bitCount;
    unsigned long size;
    unsigned long offset;
};

struct ImageFacts {
    unsigned width;
    unsigned height;
    unsigned bitCount;
    size_t expectedSize;   // what its header says it must take
    size_t transparent;    // mask bits set
    size_t opaque;         // mask bits clear
};

// The facts of a bitmap image (header, colour table, colours, mask).
bool ReadBitmapImage(const std::vector<unsigned char> &bytes, size_t at, ImageFacts &facts)
{
    if (at + 40 > bytes.size() || Dword(bytes, at) != 40)
        return false;
    facts.width = (unsigned)Dword(bytes, at + 4);
    unsigned doubleHeight = (unsigned)Dword(bytes, at + 8);
    if (Word(bytes, at + 12) != 1 || Dword(bytes, at + 16) != 0 || doubleHeight % 2)
        return false;
    facts.height = doubleHeight / 2;
    facts.bitCount = Word(bytes, at + 14);
    unsigned long coloursUsed = Dword(bytes, at + 32);
    size_t table = 0;
    if (facts.bitCount <= 8)
        table = 4 * (coloursUsed ? coloursUsed : 1ul << facts.bitCount);
    size_t colours = RowBytes(facts.width, facts.bitCount) * facts.height;
    size_t maskRow = RowBytes(facts.width, 1);
    facts.expectedSize = 40 + table + colours + maskRow * facts.height;
    if (at + facts.expectedSize > bytes.size())
        return false;

    facts.transparent = facts.opaque = 0;
    size_t mask = at + 40 + table + colours;
    for (unsigned y = 0; y < facts.height; y++)
        for (unsigned x = 0; x < facts.width; x++) {
            bool set = bytes[mask + y * maskRow + x / 8] & (0x80 >> (x % 8));
            (set ? facts.transparent : facts.opaque)++;
        }
    return true;
}

// A PNG image carries its size and depth in its header chunk; the mask is
// its alpha channel and is not looked at.
bool ReadPngImage(const std::vector<unsigned char> &bytes, size_t at, size_t size,
                  ImageFacts &facts)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (size < 33 || std::string(bytes.begin() + at, bytes.begin() + at + 8) !=
                         std::string(signature, signature + 8))
        return false;
    if (std::string(bytes.begin() + at + 12, bytes.begin() + at + 16) != "IHDR")
        return false;
    facts.width = (unsigned)BigEndianDword(bytes, at + 16);
    facts.height = (unsigned)BigEndianDword(bytes, at + 20);
    unsigned depth = bytes[at + 24];
    unsigned colourType = bytes[at + 25];
    const unsigned channels[7] = {1, 0, 3, 1, 2, 0, 4};
    facts.bitCount = colourType < 7 ? depth * channels[colourType] : 0;
    facts.expectedSize = size;
    facts.transparent = facts.opaque = 1;
    return true;
}

struct IconFileTest : ::testing::Test {
    std::vector<unsigned char> bytes = ReadIconFile();
    std::vector<DirectoryEntry> entries;

    void SetUp() override
    {
        ASSERT_GE(bytes.size(), 6u) << "cannot read " << QUILLMOOR_ICON_FILE;
        ASSERT_EQ(Word(bytes, 0), 0u) << "reserved word";
        ASSERT_EQ(Word(bytes, 2), 1u) << "not an icon (1) but type " << Word(bytes, 2);
        unsigned count = Word(bytes, 4);
        ASSERT_GE(bytes.size(), 6 + 16 * (size_t)count);
        for (unsigned i = 0; i < count; i++) {
            size_t at = 6 + 16 * i;
            DirectoryEntry entry;
            entry.width = bytes[at] ? bytes[at] : 256;
            entry.height = bytes[at + 1] ? bytes[at + 1] : 256;
            entry.bitCount = Word(bytes, at + 6);
            entry.size = Dword(bytes, at + 8);
            entry.offset = Dword(bytes, at + 12);
            entries.push_back(entry);
        }
    }
};

} // namespace

TEST_F(IconFileTest, HoldsExactlyTheThreeSizesAndDepths)
{
    const struct {
        unsigned size;
        unsigned bitCount;
    } expected[] = {{16, 8}, {32, 8}, {48, 32}};

    ASSERT_EQ(entries.size(), 3u);
    for (const auto &image : expected) {
        int found = 0;
        for (const DirectoryEntry &entry : entries)
            if (entry.width == image.size && entry.height == image.size &&
                entry.bitCount == image.bitCount)
                found++;
        EXPECT_EQ(found, 1) << image.size << "x" << image.size << " at " << image.bitCount
                            << " bits";
    }
}

TEST_F(IconFileTest, EveryImageIsWholeAndAgreesWithItsEntry)
{
    for (const DirectoryEntry &entry : entries) {
        SCOPED_TRACE(std::to_string(entry.width) + "x" + std::to_string(entry.height));
        ASSERT_LE(entry.offset + entry.size, bytes.size()) << "image runs past the file";

        ImageFacts facts{};
        bool read = ReadPngImage(bytes, entry.offset, entry.size, facts) ||
                    ReadBitmapImage(bytes, entry.offset, facts);
        ASSERT_TRUE(read) << "neither a bitmap nor a PNG image";
        EXPECT_EQ(facts.width, entry.width);
        EXPECT_EQ(facts.height, entry.height);
        EXPECT_EQ(facts.bitCount, entry.bitCount);
        EXPECT_EQ(facts.expectedSize, entry.size);
        // A picture with a transparent surround: neither blank nor a square.
        EXPECT_GT(facts.opaque, 0u);
        EXPECT_GT(facts.transparent, 0u);
    }
}

TEST_F(IconFileTest, ImagesDoNotOverlap)
{
    size_t directoryEnd = 6 + 16 * entries.size();
    for (size_t i = 0; i < entries.size(); i++) {
        EXPECT_GE(entries[i].offset, directoryEnd);
        for (size_t j = i + 1; j < entries.size(); j++) {
            bool apart = entries[i].offset + entries[i].size <= entries[j].offset ||
                         entries[j].offset + entries[j].size <= entries[i].offset;
            EXPECT_TRUE(apart) << "images " << i << " and " << j;
        }
    }
}
