// Entry point of every test program that has no main of its own (the
// programs are built with -municode, so the runtime asks for wmain).
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
