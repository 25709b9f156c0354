// Where an entry lands: the selection answer applied to its safe name.
// A plain function over strings, tested directly.
#pragma once

#include <string>

namespace fyxunzip {

// `name` is the entry's safe relative name with '\' between parts (folders end
// with '\'); `answer` the selection answer. Gives the path under the extraction
// folder (no trailing '\'), or false when the entry is skipped.
bool ResolveSelection(const std::wstring& name, int answer, bool recreateFolders, std::wstring* path);

}  // namespace fyxunzip
