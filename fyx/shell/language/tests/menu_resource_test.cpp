// The built program's resources: menu 109 with its pop-ups and commands, the
// window texts, the icons and the manifest; and the menu texts from the table.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "language.h"
#include "resource_ids.h"
#include "test_support.h"

namespace {

struct ExpectedItem {
    unsigned id;
    const char* popup;  // positions from the menu bar down, e.g. "0.3.1"
    unsigned line;
};

// Every command of the main menu, where it lives and the line of its text.
const ExpectedItem kExpected[] = {
    {273, "0.0", 51}, {274, "0.0", 52}, {275, "0.0", 53}, {276, "0.1", 51}, {277, "0.1", 52}, {278, "0.1", 53},
    {327, "0.2", 0}, {265, "0.2", 1}, {266, "0.2", 2}, {267, "0.2", 3}, {268, "0.2", 4}, {269, "0.2", 5},
    {270, "0.2", 6}, {271, "0.2", 7}, {406, "0.3.0", 54}, {413, "0.3.0", 55}, {32788, "0.3.0", 282},
    {426, "0.3.1", 54}, {423, "0.3.1", 55}, {32789, "0.3.1", 282}, {402, "0.4", 56}, {272, "0", 57},
    {263, "0", 58}, {264, "0", 59}, {452, "0", 373}, {453, "0", 374}, {454, "0", 375}, {455, "0", 376},
    {456, "0", 377}, {463, "0", 378},
    {289, "6.0", 51}, {290, "6.0", 52}, {291, "6.0", 53}, {292, "6.1", 51}, {293, "6.1", 52}, {294, "6.1", 53},
    {336, "6.2", 0}, {281, "6.2", 1}, {282, "6.2", 2}, {283, "6.2", 3}, {284, "6.2", 4}, {285, "6.2", 5},
    {286, "6.2", 6}, {287, "6.2", 7}, {408, "6.3.0", 54}, {414, "6.3.0", 55}, {32785, "6.3.0", 282},
    {428, "6.3.1", 54}, {424, "6.3.1", 55}, {32790, "6.3.1", 282}, {400, "6.4", 56}, {288, "6", 57},
    {32809, "6", 58}, {280, "6", 59}, {457, "6", 373}, {458, "6", 374}, {459, "6", 375}, {460, "6", 376},
    {461, "6", 377}, {462, "6", 378},
    {32855, "1", 434}, {32856, "1", 435}, {193, "1", 60}, {219, "1", 62}, {32811, "1", 253},
    {131, "2.0", 69}, {132, "2.0", 70}, {133, "2.0", 71}, {32773, "2.0", 276},
    {137, "2.1", 69}, {138, "2.1", 70}, {139, "2.1", 71}, {32774, "2.1", 277},
    {134, "2.2", 69}, {135, "2.2", 70}, {136, "2.2", 71},
    {229, "2", 72}, {230, "2", 73}, {231, "2", 74}, {232, "2", 75}, {260, "2", 76}, {261, "2", 77},
    {172, "3", 80}, {197, "3", 82}, {198, "3", 83}, {213, "3", 84}, {214, "3", 85},
    {200, "3.6", 95}, {201, "3.6", 96}, {202, "3.6", 97}, {203, "3.6", 98}, {204, "3.6", 99},
    {206, "3.6", 100}, {207, "3.6", 101}, {208, "3.6", 102}, {209, "3.6", 103}, {210, "3.6", 104},
    {211, "3.6", 105}, {212, "3.6", 106},
    {189, "3", 89}, {194, "3", 90}, {221, "3", 91}, {195, "3", 92}, {227, "3", 93}, {228, "3", 94},
    {32839, "4", 387}, {32840, "4", 388}, {32846, "4", 391},
    {450, "5", 111}, {464, "5", 259}, {32852, "5", 396}, {32797, "5", 112}, {415, "5", 110},
    {32858, "7", 113}, {32806, "7", 354}, {32807, "7", 355}, {32808, "7", 356}, {386, "7", 114},
};

// Pop-ups by their path and the line of their text.
const struct {
    const char* path;
    unsigned line;
} kPopups[] = {
    {"0", 38}, {"1", 39}, {"2", 40}, {"3", 41}, {"4", 386}, {"5", 43}, {"6", 44}, {"7", 45},
    {"0.0", 46}, {"0.1", 47}, {"0.2", 48}, {"0.3", 49}, {"0.4", 50}, {"0.3.0", 280}, {"0.3.1", 281},
    {"6.0", 46}, {"6.1", 47}, {"6.2", 48}, {"6.3", 49}, {"6.4", 50}, {"6.3.0", 280}, {"6.3.1", 281},
    {"2.0", 66}, {"2.1", 67}, {"2.2", 68}, {"3.6", 78},
};

struct FoundItem {
    std::string popup;
    std::wstring text;
};

std::wstring ItemText(HMENU menu, UINT position) {
    wchar_t text[256] = L"";
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

// Command items by id and pop-ups by path, from the whole menu tree.
void Walk(HMENU menu, const std::string& path, std::map<unsigned, FoundItem>* items,
          std::map<std::string, std::wstring>* popups, int* duplicates) {
    int count = GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        std::string here = path.empty() ? std::to_string(pos) : path + "." + std::to_string(pos);
        HMENU sub = GetSubMenu(menu, pos);
        if (sub) {
            (*popups)[here] = ItemText(menu, pos);
            Walk(sub, here, items, popups, duplicates);
            continue;
        }
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(menu, pos, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) continue;
        if (items->count(info.wID)) ++*duplicates;
        (*items)[info.wID] = {path, ItemText(menu, pos)};
    }
}

class ProductResources : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring exe = Join(ProductFolder(), L"Fyx.exe");
        module_ = LoadLibraryExW(exe.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot load " << std::string(exe.begin(), exe.end());
        menu_ = LoadMenuW(module_, MAKEINTRESOURCEW(IDR_MAIN_MENU));
        ASSERT_NE(menu_, nullptr);
        Walk(menu_, "", &items_, &popups_, &duplicates_);
    }
    void TearDown() override {
        if (menu_) DestroyMenu(menu_);
        if (module_) FreeLibrary(module_);
    }
    HMODULE module_ = NULL;
    HMENU menu_ = NULL;
    std::map<unsigned, FoundItem> items_;
    std::map<std::string, std::wstring> popups_;
    int duplicates_ = 0;
};

TEST_F(ProductResources, MenuHasEightPopupsAndEveryCommandInItsPopup) {
    EXPECT_EQ(GetMenuItemCount(menu_), 8);
    for (int pos = 0; pos < 8; ++pos) EXPECT_NE(GetSubMenu(menu_, pos), nullptr) << pos;
    EXPECT_EQ(duplicates_, 0);
    EXPECT_EQ(items_.size(), sizeof(kExpected) / sizeof(kExpected[0]));
    for (const ExpectedItem& e : kExpected) {
        SCOPED_TRACE(testing::Message() << "command " << e.id);
        auto it = items_.find(e.id);
        ASSERT_NE(it, items_.end());
        EXPECT_EQ(it->second.popup, e.popup);
        // Until the texts are set, the menu shows the built-in English line.
        EXPECT_EQ(it->second.text, BuiltinLine(e.line));
        EXPECT_EQ(LanguageMenuLineOf(e.id), (int)e.line);
    }
    EXPECT_EQ(popups_.size(), sizeof(kPopups) / sizeof(kPopups[0]));
    for (const auto& p : kPopups) {
        ASSERT_TRUE(popups_.count(p.path)) << p.path;
        EXPECT_EQ(popups_[p.path], BuiltinLine(p.line)) << p.path;
    }
}

TEST_F(ProductResources, MenuTextsComeFromTheTable) {
    // Every line marked with its id shows which line each item took.
    std::wstring content;
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id) content += L"=#" + std::to_wstring(id) + L"\r\n";
    std::string bytes = LanguageBytes(content);
    ScopedTable t;
    ASSERT_EQ(LanguageReadContent(&t.table, bytes.data(), bytes.size()), LANGUAGE_FILE_USED);
    LanguageSetMenuTexts(menu_, &t.table);

    std::map<unsigned, FoundItem> items;
    std::map<std::string, std::wstring> popups;
    int duplicates = 0;
    Walk(menu_, "", &items, &popups, &duplicates);
    for (const ExpectedItem& e : kExpected)
        EXPECT_EQ(items[e.id].text, L"#" + std::to_wstring(e.line)) << "command " << e.id;
    for (const auto& p : kPopups) EXPECT_EQ(popups[p.path], L"#" + std::to_wstring(p.line)) << p.path;
}

TEST_F(ProductResources, WindowTextsIconsAndManifest) {
    wchar_t text[101] = L"";
    EXPECT_GT(LoadStringW(module_, IDS_TITLE, text, 101), 0);
    EXPECT_STREQ(text, L"Fyx 1.2 - 100% free");
    EXPECT_GT(LoadStringW(module_, IDS_CLASS_NAME, text, 101), 0);
    EXPECT_STREQ(text, L"Fyx");

    const int icons[] = {IDI_FYX, 180, 383, 449, 384, 366, 370, 441, 381, 425, 426, 378, 368, 376, 187, 358,
                         417, 418, 419, 420, 421, 422, 387};
    for (int id : icons) {
        EXPECT_NE(FindResourceW(module_, MAKEINTRESOURCEW(id), (LPCWSTR)RT_GROUP_ICON), nullptr) << id;
        HICON icon = (HICON)LoadImageW(module_, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0);
        EXPECT_NE(icon, nullptr) << id;
        if (icon) DestroyIcon(icon);
    }
    HICON large = (HICON)LoadImageW(module_, MAKEINTRESOURCEW(IDI_FYX), IMAGE_ICON, 32, 32, 0);
    ASSERT_NE(large, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(large, &info));
    BITMAP bitmap = {};
    GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(large);

    HRSRC manifest = FindResourceW(module_, MAKEINTRESOURCEW(1), (LPCWSTR)RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    HGLOBAL data = LoadResource(module_, manifest);
    std::string xml((const char*)LockResource(data), SizeofResource(module_, manifest));
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(xml.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(xml.find("level=\"asInvoker\""), std::string::npos);
}

TEST_F(ProductResources, ApplyMenuTextsOnTheWindowMenu) {
    HWND window = CreateWindowExW(0, L"STATIC", L"menu host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, menu_,
                                  GetModuleHandleW(NULL), NULL);
    ASSERT_NE(window, nullptr);
    ScopedTable t;
    std::wstring content;
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id)
        content += id == 38 ? L"=Links\r\n" : id == 114 ? L"=Über Fyx\r\n" : L"=\r\n";
    std::string bytes = LanguageBytes(content);
    ASSERT_EQ(LanguageReadContent(&t.table, bytes.data(), bytes.size()), LANGUAGE_FILE_USED);
    LanguageApplyMenuTexts(window, &t.table);
    HMENU shown = GetMenu(window);
    EXPECT_EQ(shown, menu_);
    EXPECT_EQ(ItemText(shown, 0), L"Links");
    wchar_t about[64] = L"";
    GetMenuStringW(shown, IDM_ABOUT, about, 64, MF_BYCOMMAND);
    EXPECT_STREQ(about, L"Über Fyx");
    DestroyWindow(window);  // destroys the menu with it
    menu_ = NULL;
}

}  // namespace
