// The end-to-end driver's entry: GoogleTest's options, then the path of the
// program under test.
#include "e2e_harness.h"

#include <gtest/gtest.h>

#include <stdio.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: quill_e2e_tests [GoogleTest options] QuillmoorMM.exe\n");
        return 2;
    }
    SetProgramPath(argv[1]);
    return RUN_ALL_TESTS();
}
