// Sizes of files and volumes.
#include "fsk.h"
#include "fsk_text.h"

FYX_FSK_API unsigned long long FYX_FSK_GetFileSize(const wchar_t* path) {
    static thread_local wchar_t longPath[fsk::kTextCap + 8];
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !path[0] || !fsk::ExtendedPath(path, longPath, fsk::kTextCap + 8) ||
        !GetFileAttributesExW(longPath, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FYX_FSK_UNREADABLE_SIZE;
    return ((unsigned long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

FYX_FSK_API unsigned long long FYX_FSK_GetFileSizeByHandle(HANDLE file) {
    LARGE_INTEGER size;
    if (file == NULL || file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size)) return FYX_FSK_UNREADABLE_SIZE;
    return (unsigned long long)size.QuadPart;
}

// Free and total bytes of the volume holding the path; the path itself is asked first
// (it may lie on a mounted folder), then its root.
static bool VolumeSpace(const wchar_t* path, ULARGE_INTEGER* freeToCaller, ULARGE_INTEGER* total) {
    static thread_local wchar_t directory[fsk::kTextCap];
    if (!path || !path[0]) return false;
    fsk::TextBuf out(directory, fsk::kTextCap);
    fsk::NormaliseDirectory(path, out);
    if (!fsk::IsSlash(directory[out.len - 1])) out.Put(L'\\');  // a UNC name needs it
    if (GetDiskFreeSpaceExW(directory, freeToCaller, total, NULL)) return true;
    size_t root = fsk::RootLength(directory, out.len);
    if (root == 0 || root == out.len) return false;
    out.Truncate(root);
    if (!fsk::IsSlash(directory[root - 1])) out.Put(L'\\');
    return GetDiskFreeSpaceExW(directory, freeToCaller, total, NULL) != 0;
}

FYX_FSK_API unsigned long long FYX_FSK_GetDiskFreeSpaceInBytes(const wchar_t* path) {
    ULARGE_INTEGER available, total;
    return VolumeSpace(path, &available, &total) ? available.QuadPart : FYX_FSK_UNREADABLE_SIZE;
}

FYX_FSK_API unsigned long long FYX_FSK_GetDiskTotalInBytes(const wchar_t* path) {
    ULARGE_INTEGER available, total;
    return VolumeSpace(path, &available, &total) ? total.QuadPart : FYX_FSK_UNREADABLE_SIZE;
}
