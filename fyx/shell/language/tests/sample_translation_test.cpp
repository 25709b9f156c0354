// The shipped sample translation: complete, loadable, placeholders kept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language.h"
#include "plugin.h"
#include "test_support.h"

namespace {

const wchar_t kSample[] = L"Deutsch.lng";

// The printf placeholders of a text, in order.
std::wstring Placeholders(const std::wstring& text) {
    std::wstring found;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'%') continue;
        found += text[i + 1];
        ++i;
    }
    return found;
}

// The texts of the file's CR LF lines, split here without the table's reader.
std::vector<std::wstring> RawTexts(const std::string& bytes, bool* everyLineHasKey) {
    std::wstring units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += (wchar_t)((unsigned char)bytes[i] | ((unsigned char)bytes[i + 1] << 8));
    std::vector<std::wstring> texts;
    *everyLineHasKey = true;
    size_t start = 0, end;
    while ((end = units.find(L"\r\n", start)) != std::wstring::npos) {
        std::wstring line = units.substr(start, end - start);
        size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) *everyLineHasKey = false;
        texts.push_back(equals == std::wstring::npos ? L"" : line.substr(equals + 1));
        start = end + 2;
    }
    return texts;
}

TEST(SampleTranslation, ShipsCompleteAndLoadsWithEveryLine) {
    std::wstring path = Join(Join(ProductFolder(), L"Language"), kSample);
    std::string bytes;
    ASSERT_TRUE(ReadBytes(path, &bytes));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ((unsigned char)bytes[0], 0xFF);  // UTF-16LE byte-order mark
    EXPECT_EQ((unsigned char)bytes[1], 0xFE);
    bool everyLineHasKey = false;
    std::vector<std::wstring> texts = RawTexts(bytes, &everyLineHasKey);
    ASSERT_EQ(texts.size(), (size_t)LANGUAGE_LINE_COUNT);
    EXPECT_TRUE(everyLineHasKey);

    ScopedTable t;
    ASSERT_EQ(LanguageLoadFile(&t.table, ProductFolder().c_str(), kSample), LANGUAGE_FILE_USED);
    int translated = 0;
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id) {
        SCOPED_TRACE(testing::Message() << "line " << id);
        std::wstring line = LanguageLine(&t.table, id);
        EXPECT_EQ(line, texts[id]);
        EXPECT_FALSE(line.empty());
        EXPECT_LE(line.size(), (size_t)LANGUAGE_TEXT_LIMIT);
        EXPECT_EQ(Placeholders(line), Placeholders(BuiltinLine(id)));
        if (line != BuiltinLine(id)) ++translated;
    }
    // Words such as "OK" or "Name" stay the same; nearly everything else is translated.
    EXPECT_GT(translated, 400);
}

TEST(SampleTranslation, StartUpPublishesIt) {
    ScopedTable t;
    ASSERT_EQ(LanguageStartUp(&t.table, ProductFolder().c_str(), kSample), LANGUAGE_FILE_USED);
    EXPECT_STREQ(FYXPLG_GetLineFromLanguageBuffer(38), L"Links");
    EXPECT_STREQ(FYXPLG_GetLineFromLanguageBuffer(451), LanguageLine(&t.table, 451));
}

}  // namespace
