#include <gtest/gtest.h>

#include "app/command_line.h"

namespace qm::app {
namespace {

using Words = std::vector<std::string>;

struct TSplitCase {
    const char* why;
    std::string line;
    Words words;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TSplitCase& c, std::ostream* out) {
    *out << c.why;
}

class SplitCommandLineTest : public ::testing::TestWithParam<TSplitCase> {};

TEST_P(SplitCommandLineTest, SplitsByTheToolsOwnRules) {
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().words) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(
        TSplitCase{"empty line: no word at all", "", {}}, TSplitCase{"only blanks", "  \t ", {}},
        TSplitCase{"program only", "tidyreel.exe", {"tidyreel.exe"}},
        TSplitCase{"quoted program with blanks", "\"C:\\Program Files\\t.exe\"", {"C:\\Program Files\\t.exe"}},
        TSplitCase{"one folder", "t.exe D:\\Video", {"t.exe", "D:\\Video"}},
        TSplitCase{"runs of blanks and tabs separate once", "t.exe \t  a \t b", {"t.exe", "a", "b"}},
        TSplitCase{"every control byte 1..31 separates",
                   std::string("t.exe\x01"
                               "a\x1f"
                               "b\nc\rd"),
                   {"t.exe", "a", "b", "c", "d"}},
        TSplitCase{"a quoted blank stays", "t.exe \"D:\\My Videos\"", {"t.exe", "D:\\My Videos"}},
        TSplitCase{
            "quotes may start mid-word and are dropped", "t.exe D:\\\"My Videos\"\\x", {"t.exe", "D:\\My Videos\\x"}},
        TSplitCase{
            "backslash before a closing quote is ordinary (quoted drive root)", "t.exe \"D:\\\"", {"t.exe", "D:\\"}},
        TSplitCase{"backslash before a quote does not escape it", "t.exe a\\\"b c\"", {"t.exe", "a\\b c"}},
        TSplitCase{"a pair of quotes is an empty argument", "t.exe \"\"", {"t.exe", ""}},
        TSplitCase{"doubled quote inside quotes is dropped without closing", "t.exe \"a\"\" b\"", {"t.exe", "a b"}},
        TSplitCase{"doubled quote outside quotes is dropped without opening", "t.exe a\"\"b c", {"t.exe", "ab", "c"}},
        TSplitCase{"three quotes: a dropped pair, then quoting opens to the end", "t.exe \"\"\"a b", {"t.exe", "a b"}},
        TSplitCase{"unterminated quote runs to the end", "t.exe \"a b", {"t.exe", "a b"}},
        TSplitCase{"bytes above 127 are ordinary", "t.exe \xe9t\xe9 \x81\\", {"t.exe", "\xe9t\xe9", "\x81\\"}},
        TSplitCase{"several folders", "t.exe \"D:\\a\" \"D:\\b\" c", {"t.exe", "D:\\a", "D:\\b", "c"}},
        TSplitCase{"the text ends at its first NUL", std::string("t.exe a\0b", 9), {"t.exe", "a"}}));

}  // namespace
}  // namespace qm::app
