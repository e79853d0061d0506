// Command line, numbers, the summary, paths and registry key paths, natively and under Wine.

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/summary.h"
#include "qm.API/convert.h"
#include "qm.API/key_path.h"
#include "qm.API/number.h"
#include "qm.API/path.h"

using namespace qm::api;
using namespace std::string_literals;

TEST(SplitCommandLine, Words) {
    using Words = std::vector<std::u16string>;
    const std::pair<std::u16string, Words> cases[] = {
        {u"  \t ", {}},
        {u"t.exe \t D:\\Video\x01x", {u"t.exe", u"D:\\Video", u"x"}},
        {u"t.exe \"D:\\My Videos\"", {u"t.exe", u"D:\\My Videos"}},
        {u"t.exe \"D:\\\"", {u"t.exe", u"D:\\"}},  // a quoted drive root keeps its backslash
        {u"t.exe a\\\"b c\"", {u"t.exe", u"a\\b c"}},
        {u"t.exe \"\"", {u"t.exe", u""}},                                  // an empty argument counts
        {u"t.exe \"a\"\" b\" a\"\"b c", {u"t.exe", u"a b", u"ab", u"c"}},  // doubled quotes drop together
        {u"t.exe \"a b", {u"t.exe", u"a b"}},
        {u"t.exe \u00e9t\u00e9 a\uFF02 b\0c"s, {u"t.exe", u"\u00e9t\u00e9", u"a\uFF02", u"b"}},
    };
    for (const auto& [line, words] : cases) {
        EXPECT_EQ(qm::app::SplitCommandLine(line), words) << ToAnsi(line);
    }
}

TEST(ParseInt, Texts) {
    for (const std::string text : {" \t11", "+11", "011", "$B", "0xB", "XB", "%1011", "&13"}) {
        EXPECT_EQ(ParseIntOr(text, 99), 11) << text;
    }
    EXPECT_EQ(std::vector<int32_t>({ParseIntOr("-$10", 0), ParseIntOr("$FFFFFFFF", 0), ParseIntOr("-2147483648", 0),
                                    ParseIntOr("0", 9), ParseIntOr("00", 9)}),
              std::vector<int32_t>({-16, -1, INT32_MIN, 0, 0}));
    for (const std::string& text : {""s, "-"s, "0x"s, "11abc"s, "11.0"s, "12 "s, "%2"s, "- 1"s, "1\0"s, "2147483648"s,
                                    "4294967297"s, "$100000000"s, "-$FFFFFFFF"s, std::string(255, '0') + "9"}) {
        EXPECT_EQ(ParseIntOr(text, 99), 99) << text;
    }
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
}

TEST(RunSummary, TextAndSeconds) {
    EXPECT_EQ(RealToText(123.5, 10, 7) + "|" + RealToText(9.99999996, 10, 7) + "|" + RealToText(-0.00000004, 10, 7),
              "123.5000000|10.0000000| 0.0000000");
    EXPECT_EQ(RealToText(0.125, 0, 2) + "|" + RealToText(2.675, 0, 2), "0.13|2.67");  // 2.6749999999999998
    EXPECT_EQ(qm::app::RunSummary(14, 11, 10'000'000, INT64_C(0x7FFFFFFF00000000), INT64_C(0x7FFFFFFF00403D50)),
              "Found: 14 files\r\nMoved: 11 files\r\nSkipped: 3 files\r\nNeeded:  0.4210000 seconds");
    EXPECT_EQ(qm::app::RunSummary(3, 1, 0, 0, 5), "Found: 3 files\r\nMoved: 1 files\r\nSkipped: 2 files");
}

TEST(Paths, Parts) {
    // Only '\\' and ':' separate, a directory keeps its separator, the last dot starts the extension.
    EXPECT_EQ(DirOfPath("a:b\\c:/d") + "|" + NameOfPath("a:b\\c:/d") + "|" + ExtOfPath("C:\\old.dir\\noext") + "|" +
                  BareNameOfPath("C:\\old.dir\\a.b.exe") + "|" + AddTrailingBackslash("C:") +
                  DropTrailingBackslash("a\\\\"),
              "a:b\\c:|/d|.dir\\noext|a.b|C:\\a\\");
    const TKeySplit registry = SplitKeyPath("\\SOFTWARE\\Quillmoor\\Tidyreel\\");  // cut at the first backslash
    EXPECT_EQ(registry.Parent + "|" + registry.Child + "|" + SplitKeyPath("a\\").Child,
              "SOFTWARE|Quillmoor\\Tidyreel|");
}
