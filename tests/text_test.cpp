#include <gtest/gtest.h>

#include "qm.API/text.h"

#include <string>

using namespace std::string_literals;
using namespace qm::api;

namespace {

TEST(FoldCase, OnlyAsciiCapitalsFold) {
    for (int b = 0; b < 256; ++b) {
        const int expected = (b >= 'A' && b <= 'Z') ? b + 32 : b;
        EXPECT_EQ(FoldCase(static_cast<unsigned char>(b)), expected) << "byte " << b;
    }
    EXPECT_EQ(LowerAscii("ABC xyz \xC4\xD6[@]"), "abc xyz \xC4\xD6[@]");  // no locale, no accents
}

TEST(FindChar, FirstLastAndAnyOf) {
    struct Case {
        std::string text;
        std::string set;  // its first byte is the one FindChar and FindLastChar look for
        int first, last, lastOfAny;
        const char* why;
    };
    const Case cases[] = {
        {"C:\\a\\b.c", ":\\", 2, 2, 5, "1-based; the later of two set bytes wins"},
        {"C:a.mkv", "\\:", 0, 0, 2, "an absent set byte does not hide a present one"},
        {"abc", ":\\", 0, 0, 4, "no hit: FindLastOfAny gives the terminator"},
        {"", "a", 0, 0, 1, "empty text"},
        {"abc", "", 4, 4, 4, "byte 0 (the empty set's terminator) and an empty set"},
        {"ab\0b.c"s, "b", 2, 2, 2, "the search ends at the first NUL"},
        {"a.b\0.c"s, ".", 2, 2, 2, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindChar(c.text, c.set.c_str()[0]), c.first) << c.why;
        EXPECT_EQ(FindLastChar(c.text, c.set.c_str()[0]), c.last) << c.why;
        EXPECT_EQ(FindLastOfAny(c.text, c.set), c.lastOfAny) << c.why;
    }
}

TEST(FindCharFrom, PositionsAndBounds) {
    struct Case {
        std::string text;
        int from, expected;
    };
    const Case cases[] = {
        {"a\\b\\c", 3, 4}, {"a\\b\\c", 2, 2}, {"a\\b\\c", 5, 0}, {"abc", 0, 0},  // no backslash at all
        {"\\bc", -7, 1},                                                         // from below 1 counts as 1
        {"a\\", 5, 0},                                                           // from past the end
        {"", 1, 0},        {"a\0\\"s, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindCharFrom('\\', c.text, c.from), c.expected) << c.text << " from " << c.from;
    }
}

TEST(HeadTail, Cuts) {
    struct Case {
        int n;
        const char* head;
        const char* tail;
    };
    const Case cases[] = {{-1, "", "abc"}, {0, "", "abc"}, {1, "a", "abc"},  {2, "ab", "bc"},
                          {3, "abc", "c"}, {4, "abc", ""}, {1000, "abc", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(HeadOf("abc", c.n), c.head) << c.n;
        EXPECT_EQ(TailFrom("abc", c.n), c.tail) << c.n;
    }
    EXPECT_EQ(HeadOf("", 1), "");
    EXPECT_EQ(TailFrom("", 1), "");
}

TEST(StartsEndsWith, Comparisons) {
    struct Case {
        const char* sub;
        const char* text;
        bool sensitive, starts, ends;
        const char* why;
    };
    const Case cases[] = {
        {"\\", "\\", true, true, true, "sub equal to the text"},
        {"", "abc", true, false, false, "an empty sub never matches"},
        {"a", "", false, false, false, "an empty text never matches"},
        {"AB", "abc", false, true, false, ""},
        {"AB", "abc", true, false, false, ""},
        {"X.MKV", "a.x.mkv", false, false, true, ""},
        {"abcd", "abc", false, false, false, "sub longer than the text"},
        {"\xC4", "\xE4x\xE4", false, false, false, "accented letters do not fold"},
        {"[", "{x{", false, false, false, "'[' is not the capital of '{'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartsWith(c.sub, c.text, c.sensitive), c.starts) << c.why;
        EXPECT_EQ(EndsWith(c.sub, c.text, c.sensitive), c.ends) << c.why;
    }
}

TEST(CutPrefixSuffix, CutOnlyOnMatch) {
    EXPECT_EQ(CutPrefix("Series.S01", "series.", false), "S01");
    EXPECT_EQ(CutPrefix("Series.S01", "series.", true), "Series.S01");
    EXPECT_EQ(CutPrefix("abc", "abc", true), "");
    EXPECT_EQ(CutPrefix("ab", "abc", true), "ab");
    EXPECT_EQ(CutSuffix("name.MKV", ".mkv", false), "name");
    EXPECT_EQ(CutSuffix("name.MKV", ".mkv", true), "name.MKV");
    EXPECT_EQ(CutSuffix("abc", "", true), "abc");
    EXPECT_EQ(CutSuffix("bc", "abc", true), "bc");
}

}  // namespace
