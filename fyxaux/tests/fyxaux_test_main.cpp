// The shell calls of the library expect COM on the main window's thread.
#include <gtest/gtest.h>
#include <objbase.h>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    HRESULT com = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    int result = RUN_ALL_TESTS();
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
