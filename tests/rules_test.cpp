// The text rules of a sorting run: command line, numbers, paths, key paths and the summary,
// natively and under Wine.

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/run_state.h"
#include "app/summary.h"
#include "qm.API/key_path.h"
#include "qm.API/number.h"
#include "qm.API/path.h"

using namespace qm::api;
using namespace std::string_literals;

namespace {

TEST(SplitCommandLine, Words) {
    using Words = std::vector<std::string>;
    const std::pair<std::string, Words> cases[] = {
        {"  \t ", {}},
        {"t.exe \t D:\\Video\x01x", {"t.exe", "D:\\Video", "x"}},
        {"t.exe \"D:\\My Videos\"", {"t.exe", "D:\\My Videos"}},
        {"t.exe \"D:\\\"", {"t.exe", "D:\\"}},  // a quoted drive root keeps its backslash
        {"t.exe a\\\"b c\"", {"t.exe", "a\\b c"}},
        {"t.exe \"\"", {"t.exe", ""}},                                // an empty argument counts
        {"t.exe \"a\"\" b\" a\"\"b c", {"t.exe", "a b", "ab", "c"}},  // doubled quotes drop together
        {"t.exe \"a b", {"t.exe", "a b"}},
        {"t.exe \xe9t\xe9 a\0b"s, {"t.exe", "\xe9t\xe9", "a"}},
    };
    for (const auto& [line, words] : cases) {
        EXPECT_EQ(qm::app::SplitCommandLine(line), words) << line;
    }
}

TEST(ParseInt, Texts) {
    const std::pair<std::string, int32_t> accepted[] = {
        {" \t11", 11},
        {"+11", 11},
        {"011", 11},
        {"$B", 11},
        {"0xB", 11},
        {"XB", 11},
        {"%1011", 11},
        {"&13", 11},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"0", 0},
    };
    for (const auto& [text, value] : accepted) {
        EXPECT_EQ(ParseIntOr(text, 99), value) << text;
    }
    for (const std::string& text :
         std::vector<std::string>{"", "-", "0x", "11abc", "11.0", "12 ", "%2", "- 1", "1\0"s, "2147483648",
                                  "4294967297", "$100000000", "-$FFFFFFFF", std::string(255, '0') + "9"}) {
        EXPECT_EQ(ParseIntOr(text, 99), 99) << text;
    }
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
}

TEST(RealToText, Fixed) {
    EXPECT_EQ(RealToText(123.5, 10, 7) + RealToText(9.99999996, 10, 7) + RealToText(-0.00000004, 10, 7),
              "123.5000000"
              "10.0000000"
              " 0.0000000");
    EXPECT_EQ(RealToText(0.125, 0, 2) + "|" + RealToText(2.675, 0, 2), "0.13|2.67");  // 2.6749999999999998
    EXPECT_EQ(RealToText(1e21, 0, 0) + RealToText(1.0, 300, 0), "1000000000000000000000" + std::string(254, ' ') + "1");
}

TEST(RunSummary, Text) {
    EXPECT_EQ(qm::app::RunSummary(14, 11, 10'000'000, INT64_C(0x7FFFFFFF00000000), INT64_C(0x7FFFFFFF00403D50)),
              "Found: 14 files\r\nMoved: 11 files\r\nSkipped: 3 files\r\nNeeded:  0.4210000 seconds");
    EXPECT_EQ(qm::app::RunSummary(3, 1, 0, 0, 5), "Found: 3 files\r\nMoved: 1 files\r\nSkipped: 2 files");
}

TEST(Paths, Parts) {
    // path, directory, name, extension, bare name
    const std::array<std::string, 5> cases[] = {
        {"C:\\Tools\\a.b.exe", "C:\\Tools\\", "a.b.exe", ".exe", "a.b"},
        {"C:a.mkv", "C:", "a.mkv", ".mkv", "a"},
        {"D:/x/a", "D:", "/x/a", "", "/x/a"},
        {"C:\\old.dir\\noext", "C:\\old.dir\\", "noext", ".dir\\noext", "noext"},
        {"a:b\\c:d", "a:b\\c:", "d", "", "d"},
    };
    for (const auto& [path, dir, name, ext, bare] : cases) {
        EXPECT_EQ(DirOfPath(path) + "|" + NameOfPath(path) + "|" + ExtOfPath(path) + "|" + BareNameOfPath(path),
                  dir + "|" + name + "|" + ext + "|" + bare);
    }
    EXPECT_EQ(qm::app::SettingsFileOf("C:\\Tools\\tidyreel.exe"), "C:\\Tools\\tidyreel.ini");
    EXPECT_EQ(qm::app::SettingsFileOf("C:tidyreel.exe"), "C:\\tidyreel.ini");
    EXPECT_EQ(AddTrailingBackslash("C:") + AddTrailingBackslash("C:\\") + DropTrailingBackslash("a\\\\"),
              "C:\\C:\\a\\");
}

TEST(SplitKeyPath, ParentAndChild) {
    const std::array<std::string, 3> cases[] = {
        {"SOFTWARE\\Quillmoor\\Tidyreel\\", "SOFTWARE", "Quillmoor\\Tidyreel"},
        {"\\a\\b\\c\\", "a", "b\\c"},
        {"a\\", "a", ""},
        {"\\\\a", "", "a"},
    };
    for (const auto& [path, parent, child] : cases) {
        const TKeySplit split = SplitKeyPath(path);
        EXPECT_EQ(split.Parent + "|" + split.Child, parent + "|" + child) << path;
    }
}

}  // namespace
