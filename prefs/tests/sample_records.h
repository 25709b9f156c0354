// Records shared by the tests and the peer program: two records that differ
// from the defaults and from each other in every field.
#pragma once

#include "prefs.h"

// variant 1 or 2; every field that has a line differs from its default and
// between the variants.
ConfigRecord MakeSampleRecord(int variant);

// Sets a text field, clearing the rest of it as the loader does.
void SetText(wchar_t* field, size_t capacity, const wchar_t* text);
#define SET_TEXT(field, text) SetText(field, sizeof(field) / sizeof(wchar_t), text)

bool SameRecord(const ConfigRecord& a, const ConfigRecord& b);
// Byte offset of the first difference, or -1.
long FirstDifference(const ConfigRecord& a, const ConfigRecord& b);
