// The page tests' entry: empties the folder of saved copies first, so the
// native check never reads a file of an earlier run.
#include <gtest/gtest.h>

#include "tests/pages/PageFiles.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    pages::ClearSnapshots();
    return RUN_ALL_TESTS();
}
