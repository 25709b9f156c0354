// The shared test archives as the ZIP libraries' tests under wine name them.
#pragma once

#include <string>

#include "testkit.h"

namespace ziptest {

// The shared test archive of that name, as a Windows path.
inline std::wstring TestArchive(const char* name) {
    std::string n(name);
    return fyxtest::JoinPath(fyxtest::TestDataDir(), L"zip\\" + std::wstring(n.begin(), n.end()));
}

}  // namespace ziptest
