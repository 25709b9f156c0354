// Deciding logic of fyxaux as plain functions over plain data, linked into the
// library and into its tests.
#pragma once

#include <stddef.h>

// Writes "<base> - <message>" (or the base alone when the message is empty or
// NULL) into out, cut to capacity - 1 code units without splitting a surrogate
// pair; at most FYXFYX_BASE_TITLE_CHARS units of base are read. Returns the
// length written.
size_t FyxAuxComposeTitle(const wchar_t* base, const wchar_t* message, wchar_t* out, size_t capacity);

// The extraction folder for the given documents folder: its parent plus
// "Local Settings\Temp\_fyx", with "_fyx" created when missing. On any failure
// out is "" and false is returned; nothing is created unless "Local
// Settings\Temp" already is a folder.
bool FyxAuxTemporaryPathFor(const wchar_t* documents, wchar_t* out, size_t capacity);
