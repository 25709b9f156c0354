// The library's only file access: reading a small file whole and replacing a
// file whole in one step.
#pragma once

#include <stddef.h>

// Joins folder and file name with one backslash; false when it does not fit.
bool JoinFolderFile(const wchar_t* folder, const wchar_t* name, wchar_t* out, size_t capacity);

// Reads at most `maxBytes` of the file into a buffer the caller releases with
// FreeFileData. False when the file cannot be opened or read.
bool ReadSmallFile(const wchar_t* path, size_t maxBytes, unsigned char** data, size_t* size);
void FreeFileData(unsigned char* data);

// Writes the bytes under a temporary name beside `path`, flushes them and
// renames the result over `path`. 0 done; 1 nothing changed (the old file,
// if any, is untouched and no temporary file is left).
int ReplaceFileWhole(const wchar_t* path, const char* data, size_t size);
