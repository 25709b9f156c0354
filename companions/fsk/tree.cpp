// Directory tree walks: sizes and file counts of all levels, and the one tree of
// the process that the copy, move and delete tools walk parents or children first.
#include <string>
#include <vector>

#include "fsk.h"
#include "fsk_text.h"

namespace {

// Records in walk order (parents before children), each a full path ended by a zero.
struct Tree {
    std::vector<wchar_t> pool;
    std::vector<size_t> starts;
    size_t taken = 0;
};

Tree g_tree;

struct Totals {
    unsigned long long bytes = 0;
    unsigned long long files = 0;
};

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

std::wstring Join(const std::wstring& directory, const wchar_t* name) {
    std::wstring path = directory;
    if (path.empty() || !fsk::IsSlash(path.back())) path += L'\\';
    path += name;
    return path;
}

// Lists one directory: adds its files to the totals and its subdirectories to `children`,
// except directory links (junctions, symbolic links), whose targets belong to other trees.
// False when the directory cannot be listed.
bool ListDirectory(const std::wstring& directory, Totals& totals, std::vector<std::wstring>& children) {
    std::wstring pattern = Join(directory, L"*");
    std::vector<wchar_t> longPattern(pattern.size() + 16);
    if (!fsk::ExtendedPath(pattern.c_str(), longPattern.data(), longPattern.size())) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(longPattern.data(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (IsDotEntry(found.cFileName) || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
            children.push_back(Join(directory, found.cFileName));
        } else {
            totals.bytes += ((unsigned long long)found.nFileSizeHigh << 32) | found.nFileSizeLow;
            totals.files += 1;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

// The top as the tree stores it: without trailing separators (a root keeps its own).
std::wstring TopPath(const wchar_t* directory) {
    directory = fsk::OrEmpty(directory);
    return std::wstring(directory, fsk::TrimmedLength(directory, wcslen(directory)));
}

// Walks the whole tree below `top` without recursion, so depth costs heap, not stack.
// Unreadable folders below the top are skipped. False when the top is no readable directory.
bool Walk(const wchar_t* directory, Tree* tree, Totals& totals) {
    std::wstring top = TopPath(directory);
    if (FYX_FSK_IsValidDirectory(top.c_str()) != 0) return false;
    std::vector<std::wstring> pending(1, top);
    std::vector<std::wstring> children;
    bool topReadable = false;
    bool first = true;
    while (!pending.empty()) {
        std::wstring current = std::move(pending.back());
        pending.pop_back();
        if (tree) {
            tree->starts.push_back(tree->pool.size());
            tree->pool.insert(tree->pool.end(), current.c_str(), current.c_str() + current.size() + 1);
        }
        children.clear();
        bool listed = ListDirectory(current, totals, children);
        if (first) topReadable = listed;
        first = false;
        // Reversed, so the first child is taken next and each subtree stays together.
        for (size_t i = children.size(); i > 0; --i) pending.push_back(std::move(children[i - 1]));
    }
    return topReadable;
}

void FreeTree() {
    std::vector<wchar_t>().swap(g_tree.pool);
    std::vector<size_t>().swap(g_tree.starts);
    g_tree.taken = 0;
}

// One walk for both counters; modes 0 and 2 keep the tree as well.
bool WalkWithMode(const wchar_t* directory, int mode, Totals& totals) {
    bool buildTree = mode == 0 || mode == 2;
    try {
        if (buildTree) FreeTree();
        bool readable = Walk(directory, buildTree ? &g_tree : nullptr, totals);
        return readable;
    } catch (...) {  // out of memory: nothing may leave the library
        if (buildTree) FreeTree();
        return false;
    }
}

}  // namespace

FYX_FSK_API unsigned long long FYX_FSK_GetDirectorySizeInBytes(const wchar_t* directory) {
    return FYX_FSK_GetDirectorySizeInBytesParams(directory, 1);
}

FYX_FSK_API unsigned long long FYX_FSK_GetDirectorySizeInBytesParams(const wchar_t* directory, int mode) {
    Totals totals;
    return WalkWithMode(directory, mode, totals) ? totals.bytes : FYX_FSK_UNREADABLE_SIZE;
}

FYX_FSK_API unsigned long long FYX_FSK_GetDirectoryFileNumberParams(const wchar_t* directory, int mode) {
    Totals totals;
    return WalkWithMode(directory, mode, totals) ? totals.files : 0;
}

FYX_FSK_API DWORD FYX_FSK_DoDirTree(const wchar_t* directory) {
    Totals totals;
    WalkWithMode(directory, 0, totals);
    return (DWORD)g_tree.starts.size();
}

FYX_FSK_API const wchar_t* FYX_FSK_GetTreeRecord(int mode) {
    FSK_RESULT_BUFFER(result);
    fsk::TextBuf out(result, fsk::kTextCap);
    size_t count = g_tree.starts.size();
    if (mode == 0) {
        g_tree.taken = 0;
        return result;
    }
    if ((mode != 1 && mode != 2) || g_tree.taken >= count) return result;
    size_t index = mode == 1 ? g_tree.taken : count - 1 - g_tree.taken;
    ++g_tree.taken;
    out.Append(g_tree.pool.data() + g_tree.starts[index]);
    return result;
}

FYX_FSK_API void FYX_FSK_DoDirTreeFree(void) { FreeTree(); }
