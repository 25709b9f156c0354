// The real main window made in the test process, from settings stored in a
// temporary program folder, as the program's start makes it.
#pragma once

#include <string>

#include "app.h"

// Defaults without the tray icon and the closing question, the panels on
// the given folders.
ConfigRecord TestSettings(const std::wstring& leftFolder, const std::wstring& rightFolder);
// Stores the settings as "Fyx.ini" of the program folder, reads them back
// and creates the main window (not shown). NULL when any step fails.
HWND CreateMainWindowFrom(const std::wstring& programFolder, const ConfigRecord& settings);
