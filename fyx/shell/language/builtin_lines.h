// The 452 built-in English language lines.
#pragma once

enum { LANGUAGE_LINE_COUNT = 452 };

// The built-in text of a line; an empty text for an id out of range.
const wchar_t* BuiltinLine(unsigned id);
