// Reading language-file content: the rules of the format, case by case.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "language.h"
#include "test_support.h"

namespace {

struct ReadCase {
    const char* name;
    std::wstring content;
    int result;
    // Lines that must differ from the built-in ones; every other id keeps its built-in text.
    std::map<unsigned, std::wstring> changed;
};

std::wstring Units(size_t count, wchar_t unit) { return std::wstring(count, unit); }

std::vector<ReadCase> Cases() {
    std::vector<ReadCase> cases;
    cases.push_back({"empty file", L"", LANGUAGE_FILE_USED, {}});

    ReadCase ten{"ten lines", L"", LANGUAGE_FILE_USED, {}};
    for (unsigned id = 0; id < 10; ++id) {
        ten.content += L"k" + std::to_wstring(id) + L"=Zeile " + std::to_wstring(id) + L"\r\n";
        ten.changed[id] = L"Zeile " + std::to_wstring(id);
    }
    cases.push_back(ten);

    cases.push_back({"text after the first equals sign", JoinLines({L"x=a=b"}), LANGUAGE_FILE_USED, {{0, L"a=b"}}});
    cases.push_back({"equals sign alone", JoinLines({L"="}), LANGUAGE_FILE_USED, {{0, L""}}});
    cases.push_back({"98 units", JoinLines({L"0=" + Units(98, L'a')}), LANGUAGE_FILE_USED, {{0, Units(98, L'a')}}});
    cases.push_back({"99 units", JoinLines({L"0=" + Units(99, L'a')}), LANGUAGE_FILE_UNUSABLE, {}});
    cases.push_back({"99 units after good lines", JoinLines({L"0=gut", L"1=gut", L"2=" + Units(99, L'b')}),
                     LANGUAGE_FILE_UNUSABLE, {}});
    cases.push_back({"a long key is no text", JoinLines({Units(300, L'k') + L"=kurz"}), LANGUAGE_FILE_USED,
                     {{0, L"kurz"}}});
    cases.push_back({"LF without CR", JoinLines({L"x=eins\nzwei", L"y=drei"}), LANGUAGE_FILE_USED,
                     {{0, L"eins\nzwei"}, {1, L"drei"}}});
    cases.push_back({"CR without LF", JoinLines({L"x=eins\rzwei"}), LANGUAGE_FILE_USED, {{0, L"eins\rzwei"}}});
    cases.push_back({"BOM belongs to the first key", L"\xFEFF" + JoinLines({L"0=Null", L"1=Eins"}),
                     LANGUAGE_FILE_USED, {{0, L"Null"}, {1, L"Eins"}}});
    cases.push_back({"BOM as the whole key", L"\xFEFF" + JoinLines({L"=Null"}), LANGUAGE_FILE_USED,
                     {{0, L"Null"}}});
    cases.push_back({"last line without CR LF", JoinLines({L"0=A"}) + L"1=B", LANGUAGE_FILE_USED, {{0, L"A"}}});
    cases.push_back({"line without equals sign keeps its built-in text", JoinLines({L"0=A", L"ohne", L"2=C"}),
                     LANGUAGE_FILE_USED, {{0, L"A"}, {2, L"C"}}});

    ReadCase full{"lines after the 452nd are not read", L"", LANGUAGE_FILE_USED, {}};
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id) {
        full.content += L"=T" + std::to_wstring(id) + L"\r\n";
        full.changed[id] = L"T" + std::to_wstring(id);
    }
    full.content += JoinLines({L"=" + Units(200, L'z'), L"=mehr"});
    cases.push_back(full);
    return cases;
}

TEST(LanguageRead, FormatRules) {
    for (const ReadCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ScopedTable t;
        ASSERT_EQ(LanguageLoadBuiltin(&t.table), 0);
        std::string bytes = LanguageBytes(c.content);
        EXPECT_EQ(LanguageReadContent(&t.table, bytes.data(), bytes.size()), c.result);
        for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id) {
            auto it = c.changed.find(id);
            std::wstring expected = it != c.changed.end() ? it->second : BuiltinLine(id);
            ASSERT_EQ(std::wstring(LanguageLine(&t.table, id)), expected) << "line " << id;
        }
    }
}

TEST(LanguageRead, UnusableContentLeavesTheTableAsItWas) {
    ScopedTable t;
    std::string good = LanguageBytes(JoinLines({L"0=Vorher"}));
    ASSERT_EQ(LanguageReadContent(&t.table, good.data(), good.size()), LANGUAGE_FILE_USED);
    std::string bad = LanguageBytes(JoinLines({L"0=Nachher", L"1=" + Units(120, L'x')}));
    EXPECT_EQ(LanguageReadContent(&t.table, bad.data(), bad.size()), LANGUAGE_FILE_UNUSABLE);
    EXPECT_STREQ(LanguageLine(&t.table, 0), L"Vorher");
    EXPECT_STREQ(LanguageLine(&t.table, 1), BuiltinLine(1));
}

TEST(LanguageRead, OddTrailingByteIsIgnored) {
    ScopedTable t;
    std::string bytes = LanguageBytes(JoinLines({L"0=Null"})) + "\x41";
    EXPECT_EQ(LanguageReadContent(&t.table, bytes.data(), bytes.size()), LANGUAGE_FILE_USED);
    EXPECT_STREQ(LanguageLine(&t.table, 0), L"Null");
}

TEST(LanguageRead, EmptyTableAndUnknownIdsReadAsEmptyText) {
    LanguageTable empty = {};
    EXPECT_STREQ(LanguageLine(&empty, 0), L"");
    EXPECT_STREQ(LanguageLine(nullptr, 0), L"");
    ScopedTable t;
    ASSERT_EQ(LanguageLoadBuiltin(&t.table), 0);
    EXPECT_STREQ(LanguageLine(&t.table, LANGUAGE_LINE_COUNT), L"");
}

}  // namespace
