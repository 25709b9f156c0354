// The plugin library's buffers seen from two real processes.
#include <gtest/gtest.h>
#include <string.h>

#include "plugin.h"
#include "testkit.h"

using namespace fyxtest;

namespace {

std::wstring Peer() { return JoinPath(TestProgramDir(), L"plugin_peer.exe"); }

// Runs the peer with `args` and waits for it; true when it exited with 0.
bool RunPeer(const std::wstring& args) {
    Process p;
    if (!StartProgram(Peer(), args, L"", &p)) return false;
    DWORD code = 99;
    bool ended = WaitForExit(p, 30000, &code);
    EndProcess(p);
    return ended && code == 0;
}

bool PeerLoads(const TempDir& dir, PluginParams* out) {
    std::wstring file = dir.File(L"block.bin");
    std::string bytes;
    if (!RunPeer(L"load \"" + file + L"\"") || !ReadFileBytes(file, &bytes) || bytes.size() != sizeof(*out))
        return false;
    memcpy(out, bytes.data(), sizeof(*out));
    return true;
}

std::wstring PeerText(const TempDir& dir, const std::wstring& verb, unsigned id) {
    std::wstring file = dir.File(L"text.bin");
    std::string bytes;
    if (!RunPeer(verb + L" " + std::to_wstring(id) + L" \"" + file + L"\"") || !ReadFileBytes(file, &bytes))
        return L"<peer failed>";
    return std::wstring((const wchar_t*)bytes.data(), bytes.size() / sizeof(wchar_t));
}

PluginParams Request(uint32_t operation, uint32_t sourceKind, const wchar_t* item) {
    PluginParams p;
    memset(&p, 0, sizeof(p));
    p.operation = operation;
    p.sourceKind = sourceKind;
    p.mainWindow = 612;
    wcsncpy(p.itemName, item, 259);
    return p;
}

// Declared first: nothing has been saved in this test run yet.
TEST(PluginRequest, BlockNeverSavedReadsAsZeros) {
    TempDir dir;
    PluginParams p;
    ASSERT_TRUE(PeerLoads(dir, &p));
    PluginParams zero;
    memset(&zero, 0, sizeof(zero));
    EXPECT_EQ(0, memcmp(&p, &zero, sizeof(p)));
}

TEST(PluginRequest, BlockSavedByOneProcessIsLoadedByAnother) {
    TempDir dir;
    ASSERT_TRUE(RunPeer(L"save 6 10 4242 first.txt"));
    PluginParams p;
    ASSERT_TRUE(PeerLoads(dir, &p));
    EXPECT_EQ(6u, p.operation);
    EXPECT_EQ(10u, p.sourceKind);
    EXPECT_EQ(4242u, p.mainWindow);
    EXPECT_STREQ(L"first.txt", p.itemName);

    // Every byte crosses, including the last field and the 64-bit size.
    PluginParams full = Request(7, 8, L"x");
    full.totalSize = 0x0102030405060708ull;
    wcscpy(full.runFile, L"run.exe");
    strcpy(full.listNameAnsi, "C612C0");
    FYXPLG_SavePluginParams(full);
    ASSERT_TRUE(PeerLoads(dir, &p));
    EXPECT_EQ(0, memcmp(&p, &full, sizeof(p)));
}

TEST(PluginRequest, EachToolReadsItsOwnRequest) {
    TempDir dir;
    // Two requests stored before either tool has started.
    FYXPLG_SavePluginParams(Request(6, 10, L"copy.txt"));
    FYXPLG_SavePluginParams(Request(0, 8, L"delete.txt"));
    PluginParams first, second;
    ASSERT_TRUE(PeerLoads(dir, &first));
    ASSERT_TRUE(PeerLoads(dir, &second));
    EXPECT_STREQ(L"copy.txt", first.itemName);
    EXPECT_STREQ(L"delete.txt", second.itemName);

    // With nothing pending, the last stored block stays readable.
    PluginParams again;
    ASSERT_TRUE(PeerLoads(dir, &again));
    EXPECT_STREQ(L"delete.txt", again.itemName);
}

TEST(PluginRequest, BlankBlockOfNewMainWindowDoesNotQueue) {
    TempDir dir;
    FYXPLG_SavePluginParams(Request(4, 0, L"pack.zip"));  // pack has no source kind
    PluginParams blank;
    memset(&blank, 0, sizeof(blank));
    blank.mainWindow = 99;
    FYXPLG_SavePluginParams(blank);
    PluginParams p;
    ASSERT_TRUE(PeerLoads(dir, &p));
    EXPECT_STREQ(L"pack.zip", p.itemName);  // the request is not lost
    ASSERT_TRUE(PeerLoads(dir, &p));
    EXPECT_EQ(99u, p.mainWindow);  // then the last stored block
    EXPECT_EQ(0u, p.operation);
}

TEST(PluginLanguage, LinesCrossProcessesAndKeepPerIdStorage) {
    TempDir dir;
    ASSERT_TRUE(RunPeer(L"putline 0 Name"));
    ASSERT_TRUE(RunPeer(L"putline 451 \"Last line\""));
    const wchar_t* a = FYXPLG_GetLineFromLanguageBuffer(0);
    const wchar_t* b = FYXPLG_GetLineFromLanguageBuffer(451);
    EXPECT_STREQ(L"Name", a);  // both results held at once
    EXPECT_STREQ(L"Last line", b);

    FYXPLG_PutLineToLanguageBuffer(5, L"Datum");
    EXPECT_EQ(L"Datum", PeerText(dir, L"getline", 5));
    FYXPLG_PutLineToLanguageBuffer(5, L"Date");
    EXPECT_EQ(L"Date", PeerText(dir, L"getline", 5));
    EXPECT_STREQ(L"Name", a);  // an id's text stays while only other ids change
}

TEST(PluginLanguage, OutOfRangeAndOverlongLines) {
    FYXPLG_PutLineToLanguageBuffer(452, L"ignored");
    EXPECT_STREQ(L"", FYXPLG_GetLineFromLanguageBuffer(452));
    std::wstring longText(2000, L'x');
    FYXPLG_PutLineToLanguageBuffer(7, longText.c_str());
    EXPECT_EQ((size_t)FYXPLG_LANGUAGE_CAPACITY - 1, wcslen(FYXPLG_GetLineFromLanguageBuffer(7)));
}

TEST(PluginVersion, SlotsCrossProcessesAndInitEmptiesThem) {
    TempDir dir;
    ASSERT_TRUE(RunPeer(L"putversion 2 1.40"));
    EXPECT_STREQ(L"1.40", FYXPLG_GetLineFromVersionBuffer(2));
    FYXPLG_PutLineToVersionBuffer(5, L"1.00");
    EXPECT_EQ(L"1.00", PeerText(dir, L"getversion", 5));
    FYXPLG_InitVersionBuffer();
    EXPECT_EQ(L"", PeerText(dir, L"getversion", 5));
}

TEST(PluginWindows, HandlesTravelAs32BitValues) {
    HWND w = (HWND)(uintptr_t)0x12345678;
    FYXPLG_PutFYXWindowHandle(w);
    FYXPLG_PutFyxOptsWindowHandle((HWND)(uintptr_t)0x42);
    EXPECT_EQ(w, FYXPLG_GetFYXWindowHandle());
    EXPECT_EQ((HWND)(uintptr_t)0x42, FYXPLG_GetFyxOptsWindowHandle());
    EXPECT_STREQ(L"1.0", FYXPLG_GetVersion());
}

}  // namespace
