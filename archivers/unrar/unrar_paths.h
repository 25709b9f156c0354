// Output names for extracted entries. A stored name never leads outside the
// destination folder: parent references, roots, drive letters, stream
// suffixes and device names are taken out or made harmless.
#pragma once

#include <string>

namespace fyxunrar {

// The stored name (either separator) as a relative Windows path with '\';
// empty when nothing safe is left.
std::wstring SafeRelativePath(const std::wstring& stored);

// Destination folder and relative path joined with one '\'; an empty
// folder means the current folder.
std::wstring JoinDestination(const std::wstring& folder, const std::wstring& relative);

}  // namespace fyxunrar
