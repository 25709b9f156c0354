// Pieces of the RAR 1.5-4.x reader on hand-made input: Unicode names, times,
// filters.
#include <gtest/gtest.h>

#include <string.h>

#include "rar4_headers.h"
#include "rar4_unpack.h"

using namespace fyxrar;
using namespace fyxrar::rar4;

namespace {

TEST(Rar4Names, EncodedUnicodeForms) {
    struct Row {
        const char* plain;
        std::vector<uint8_t> encoded;
        std::u16string expected;
    } rows[] = {
        // High byte 0x04; flags 01 01 01 01: four characters with that high byte.
        {"????", {0x04, 0x55, 0x42, 0x35, 0x41, 0x42}, u"\u0442\u0435\u0441\u0442"},
        // Flags 00 10: a low byte, then a full 16-bit character.
        {"a?", {0x00, 0x20, 'a', 0x34, 0x12}, u"a\u1234"},
        // Flags 11: copy 2+1 characters of the plain name, with a correction.
        {"abc", {0x30, 0xC0, 0x81, 0x01}, u"\u3062\u3063\u3064"},
        // Flags 11 without correction: plain bytes as they are.
        {"xyz", {0x00, 0xC0, 0x01}, u"xyz"},
        // A damaged tail stops cleanly.
        {"ab", {0x00, 0x80, 0x41}, u""},
    };
    for (const Row& r : rows) {
        std::u16string got = DecodeUnicodeName((const uint8_t*)r.plain, strlen(r.plain), r.encoded.data(),
                                               r.encoded.size(), 256);
        EXPECT_EQ(r.expected, got) << r.plain;
    }
}

TEST(Rar4Names, EightBitNames) {
    const uint8_t utf8[] = {0xC3, 0xA9, 't', 0xC3, 0xA9};
    EXPECT_EQ("\xC3\xA9t\xC3\xA9", EightBitNameToUtf8(utf8, sizeof(utf8)));
    const uint8_t oem[] = {0x82, 't', 0x82};  // code page 437 e-acute
    EXPECT_EQ("\xC3\xA9t\xC3\xA9", EightBitNameToUtf8(oem, sizeof(oem)));
    EXPECT_EQ("\xF0\x9F\x98\x80", Utf16ToUtf8(u"\U0001F600"));
    EXPECT_EQ("\xEF\xBF\xBD", Utf16ToUtf8(std::u16string(1, (char16_t)0xD800)));
}

TEST(Rar4Times, DosTimesAndTheirRefinement) {
    // 2010-06-15 12:30:44 as MS-DOS date and time.
    uint32_t dos = ((2010u - 1980) << 25) | (6u << 21) | (15u << 16) | (12u << 11) | (30u << 5) | 22u;
    uint64_t t = DosTimeToFileTime(dos, 0, 0);
    ASSERT_NE(0u, t);
    EXPECT_EQ(t + 10000000u + 1234567u, DosTimeToFileTime(dos, 1, 1234567));
    EXPECT_EQ(0u, t % 10000000u);
    EXPECT_EQ(0u, DosTimeToFileTime(0, 0, 0));  // day 0 is no date
    EXPECT_EQ(0u, DosTimeToFileTime((13u << 21) | (1u << 16), 0, 0));  // month 13
}

TEST(Rar4Filters, DeltaInterleavesChannels) {
    std::vector<uint8_t> mem(0x40008, 0);
    // Two channels of three bytes each, stored channel after channel as
    // negated differences.
    const uint8_t input[6] = {(uint8_t)-1, (uint8_t)-1, (uint8_t)-1, (uint8_t)-10, (uint8_t)-10, (uint8_t)-10};
    memcpy(mem.data(), input, 6);
    uint32_t r[7] = {2, 0, 0, 0, 6, 0, 0};
    uint32_t size = 0;
    size_t at = RunFilter(kFilterDelta, mem.data(), r, &size);
    ASSERT_EQ(6u, size);
    const uint8_t expected[6] = {1, 10, 2, 20, 3, 30};
    EXPECT_EQ(0, memcmp(mem.data() + at, expected, 6));
}

TEST(Rar4Filters, DeltaRoundTripsUnevenChannels) {
    struct Case {
        uint32_t channels, size;
    } cases[] = {{1, 9}, {2, 17}, {3, 14}, {4, 4}, {5, 3}, {7, 61}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channels);
        std::vector<uint8_t> plain(c.size);
        for (uint32_t j = 0; j < c.size; ++j) plain[j] = (uint8_t)(j * j * 7 + j + 1);
        // What the packer stores: each channel in turn, as negated differences.
        std::vector<uint8_t> mem(0x40008, 0);
        size_t at = 0;
        for (uint32_t ch = 0; ch < c.channels; ++ch) {
            uint8_t prev = 0;
            for (uint32_t j = ch; j < c.size; j += c.channels) {
                mem[at++] = (uint8_t)(prev - plain[j]);
                prev = plain[j];
            }
        }
        uint32_t r[7] = {c.channels, 0, 0, 0, c.size, 0, 0};
        uint32_t size = 0;
        size_t out = RunFilter(kFilterDelta, mem.data(), r, &size);
        ASSERT_EQ(c.size, size);
        EXPECT_EQ(0, memcmp(mem.data() + out, plain.data(), c.size));
    }
}

TEST(Rar4Filters, E8TurnsAbsoluteCallsBackToRelative) {
    std::vector<uint8_t> mem(0x40008, 0);
    // A call at block offset 0 whose target was stored as absolute 0x1005
    // (relative 0x1000 from the file offset 0x100 + 5... as the packer wrote it).
    mem[0] = 0xE8;
    uint32_t fileOffset = 0x100, absolute = 0x1000 + 1 + fileOffset;
    memcpy(mem.data() + 1, &absolute, 4);
    uint32_t r[7] = {0, 0, 0, 0, 16, 0, fileOffset};
    uint32_t size = 0;
    EXPECT_EQ(0u, RunFilter(kFilterE8, mem.data(), r, &size));
    uint32_t relative;
    memcpy(&relative, mem.data() + 1, 4);
    EXPECT_EQ(0x1000u, relative);
    // E9 is left alone by E8 and changed by E8E9.
    mem.assign(mem.size(), 0);
    mem[0] = 0xE9;
    memcpy(mem.data() + 1, &absolute, 4);
    RunFilter(kFilterE8, mem.data(), r, &size);
    memcpy(&relative, mem.data() + 1, 4);
    EXPECT_EQ(absolute, relative);
    RunFilter(kFilterE8E9, mem.data(), r, &size);
    memcpy(&relative, mem.data() + 1, 4);
    EXPECT_EQ(0x1000u, relative);
}

TEST(Rar4Filters, OnlyKnownProgramsAreRecognised) {
    uint8_t code[29] = {};
    EXPECT_EQ(kFilterNone, IdentifyFilter(code, sizeof(code)));  // right length, wrong CRC
    code[0] = 1;
    EXPECT_EQ(kFilterNone, IdentifyFilter(code, sizeof(code)));  // XOR check fails
    EXPECT_EQ(kFilterNone, IdentifyFilter(code, 0));
}

}  // namespace
