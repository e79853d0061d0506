// Runs natively against the Windows-1252 stand-in and under Wine against the real code page 1252,
// so every expectation here holds for both.

#include <gtest/gtest.h>

#include "qm.API/convert.h"

#include <string>

using namespace std::string_literals;
using namespace qm::api;

namespace {

TEST(Convert, DefinedBytesRoundTrip) {
    // 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined in 1252; how they travel is the platform's affair.
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
            continue;
        }
        const std::string byte(1, static_cast<char>(b));
        const std::u16string wide = ToUtf16(byte);
        ASSERT_EQ(wide.size(), 1u) << "byte " << b;
        EXPECT_EQ(ToAnsi(wide), byte) << "byte " << b;
        all += byte;
    }
    // All in one text: each byte converts on its own, none merges with its neighbour.
    EXPECT_EQ(ToUtf16(all).size(), all.size());
    EXPECT_EQ(ToAnsi(ToUtf16(all)), all);
}

TEST(Convert, KnownCharacters) {
    struct Case {
        std::string ansi;
        std::u16string wide;
    };
    const Case cases[] = {
        {"", u""},
        {"C:\\Videos\\Show.S01E02.mkv", u"C:\\Videos\\Show.S01E02.mkv"},
        {"\x80\x83\x8A\x8E\x93\x97\x99\x9F", u"\u20AC\u0192\u0160\u017D\u201C\u2014\u2122\u0178"},
        {"\xA0\xE4\xFF", u"\u00A0\u00E4\u00FF"},
        {"Caf\xE9 \x80 5", u"Caf\u00E9 \u20AC 5"},
        {"a\0b"s, u"a\0b"s},  // an embedded NUL travels like any byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf16(c.ansi), c.wide) << c.ansi;
        EXPECT_EQ(ToAnsi(c.wide), c.ansi) << c.ansi;
    }
}

TEST(Convert, UnmappableCharactersDoNotRoundTrip) {
    // A file name in another script comes back as something else; callers must not assume otherwise.
    for (const std::u16string wide : {u"\u0416", u"\u65E5\u672C", u"\U0001F600"}) {
        const std::string ansi = ToAnsi(wide);
        EXPECT_FALSE(ansi.empty());
        EXPECT_NE(ToUtf16(ansi), wide);
    }
    EXPECT_EQ(ToAnsi(u"Show.\u0416.S01E02.mkv"), "Show.?.S01E02.mkv") << "the rest of the text is kept";
}

TEST(Convert, SurrogatesBecomeSubstitutes) {
    // Wine substitutes each half of a pair; the stand-in treats the pair as the one character it is.
    const std::string ansi = ToAnsi(u"a\U0001F600b");
#ifdef _WIN32
    EXPECT_TRUE(ansi == "a?b" || ansi == "a??b") << ansi;
#else
    EXPECT_EQ(ansi, "a?b");
#endif
    // Halves without their partner have no byte either.
    EXPECT_EQ(ToAnsi(u"a\xD800"
                     u"b"),
              "a?b");
    EXPECT_EQ(ToAnsi(u"a\xDC00\xD800"), "a??");
}

}  // namespace
