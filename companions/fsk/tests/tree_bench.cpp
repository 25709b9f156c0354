// Benchmark: the library's tree walks against a plain recursive listing of the same tree,
// in the same run. Prints the ratios; run by hand: fsk_tree_bench.exe [files]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "fsk.h"
#include "scratch_dir.h"

namespace {

unsigned long long Baseline(const std::wstring& dir) {
    unsigned long long bytes = 0;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            bytes += Baseline(dir + L"\\" + name);
        else
            bytes += ((unsigned long long)found.nFileSizeHigh << 32) | found.nFileSizeLow;
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return bytes;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) { return double(b.QuadPart - a.QuadPart) / f.QuadPart; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int files = argc > 1 ? _wtoi(argv[1]) : 4000;
    ScratchDir scratch;
    // 10 files per folder, folders 4 wide, so the tree is both broad and a few levels deep.
    std::wstring top = scratch.Sub(L"t");
    MakeDir(top);
    int made = 0, folder = 0;
    std::wstring current = top;
    while (made < files) {
        std::wstring sub = current + L"\\d" + std::to_wstring(folder % 4);
        MakeDir(sub);
        for (int i = 0; i < 10 && made < files; ++i, ++made) MakeFile(sub + L"\\f" + std::to_wstring(i), 10);
        current = (++folder % 4 == 0) ? sub : current;
    }
    const int kRounds = 5;
    LARGE_INTEGER f, t0, t1, t2, t3;
    QueryPerformanceFrequency(&f);
    unsigned long long a = 0, b = 0;
    DWORD records = 0;
    QueryPerformanceCounter(&t0);
    for (int r = 0; r < kRounds; ++r) a = Baseline(top);
    QueryPerformanceCounter(&t1);
    for (int r = 0; r < kRounds; ++r) b = FYX_FSK_GetDirectorySizeInBytes(top.c_str());
    QueryPerformanceCounter(&t2);
    for (int r = 0; r < kRounds; ++r) records = FYX_FSK_DoDirTree(top.c_str());
    QueryPerformanceCounter(&t3);
    FYX_FSK_DoDirTreeFree();
    double base = Seconds(t0, t1, f), size = Seconds(t1, t2, f), tree = Seconds(t2, t3, f);
    printf("files %d, folders %lu, bytes %llu/%llu\n", made, records, a, b);
    printf("baseline %.3f s, size walk %.3f s (ratio %.2f), tree build %.3f s (ratio %.2f)\n", base, size,
           size / base, tree, tree / base);
    return a == b ? 0 : 1;
}
