// Shared pieces of the settings file tests: the file the defaults give, and
// a fixture with a private program folder.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "prefs.h"
#include "sample_records.h"
#include "test_support.h"

// The settings file of the default record, lines ended by LF (CrLf turns
// them into the CR LF the library writes).
extern const char kDefaultSettingsFile[];
std::string CrLf(const std::string& lfText);

// Replaces the value of the line that starts with `key` ("PotCopy:").
std::string WithValue(const std::string& file, const std::string& key, const std::string& value);
// The file up to and including the line that starts with `key`.
std::string CutAfterLine(const std::string& file, const std::string& key);
// The value of the line starting with `key`, or "<missing>".
std::string ValueOf(const std::string& file, const std::string& key);

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override { PREFS_StoreProgramPath(folder.path().c_str()); }
    void TearDown() override { PREFS_StoreProgramPath(L""); }

    std::wstring IniPath() const { return folder.File(L"Fyx.ini"); }
    ConfigRecord Load() {
        ConfigRecord r;
        PREFS_LoadAllExtConfiguration(&r);
        return r;
    }
    ConfigRecord LoadFrom(const std::string& fileText) {
        EXPECT_TRUE(WriteBytes(IniPath(), fileText));
        return Load();
    }
    static ConfigRecord Defaults() {
        ConfigRecord r;
        PREFS_GetDefaultConfiguration(&r);
        return r;
    }
    // A record as a load gives it back: the fields without a line are defaults.
    static ConfigRecord AsStored(ConfigRecord r) {
        r.PotCopyDragDrop = 1;
        r.PotMoveDragDrop = 1;
        r.PackRecursive = 0;
        return r;
    }

    TempFolder folder;
};

#define EXPECT_SAME_RECORD(expected, actual) \
    EXPECT_EQ(-1L, FirstDifference(expected, actual)) << "first differing byte offset"
