#include <gtest/gtest.h>

#include <string>

#include "qm.API/file_name.h"

using qm::api::IsPlainFileName;

namespace {

TEST(IsPlainFileName, AcceptsCaptionsThatNameAFileInTheFolder) {
    const std::string good[] = {
        "My sorter",
        "QM - Tidyreel",
        "a",
        "Sort.episodes",
        "CONSOLE",
        "con1",
        "COM0",
        "LPT10",
        "NULL.txt",
        "AUXILIARY",
        "x.lnk",
        "Menu.lnk",
        "über",
        " leading blank",
        ".hidden",
        "a..b",
        std::string(200, 'x'),
    };
    for (const std::string& caption : good) {
        EXPECT_TRUE(IsPlainFileName(caption)) << caption;
    }
}

TEST(IsPlainFileName, RefusesCaptionsThatLeadElsewhereOrNowhere) {
    struct Case {
        std::string caption;
        const char* why;
    };
    const Case bad[] = {
        {"", "empty"},
        {".", "the folder itself"},
        {"..", "the parent folder"},
        {"..\\Desktop\\x", "climbs out of SendTo"},
        {"sub\\x", "a backslash makes a sub-folder path"},
        {"a/b", "a slash separates too"},
        {"C:x", "a colon names a drive or a stream"},
        {"a*b", "wildcard"},
        {"a?b", "wildcard"},
        {"say \"hi\"", "double quote"},
        {"a<b", "redirection character"},
        {"a>b", "redirection character"},
        {"a|b", "pipe"},
        {"tab\there", "control character"},
        {"line\nbreak", "control character"},
        {std::string("\x01") + "x", "control character"},
        {"\x1f", "control character"},
        {"trailing ", "the platform drops a trailing blank"},
        {"trailing.", "the platform drops a trailing dot"},
        {"CON", "device"},
        {"con", "device in any letter case"},
        {"Prn", "device"},
        {"AUX", "device"},
        {"NUL", "device"},
        {"COM1", "device"},
        {"com9", "device"},
        {"LPT1", "device"},
        {"lpt9", "device"},
        {"CON.txt", "a device with an extension is still the device"},
        {"nul.tar.gz", "the base name is what precedes the first dot"},
        {"CON .lnk", "blanks before the extension do not help"},
        {"aux ", "trailing blank and device"},
    };
    for (const Case& c : bad) {
        EXPECT_FALSE(IsPlainFileName(c.caption)) << c.caption << " " << c.why;
    }
}

// Season folder names the rule can produce: only those Windows holds as written are made.
TEST(IsPlainFileName, FolderNames) {
    struct Case {
        std::string name;
        bool usable;
    };
    const Case cases[] = {
        {"Show.S01", true}, {".Show", true},     {" Show", true},  {"COM10", true},  {"CONSOLE", true},
        {"NUL-S01", true},  {"Caf\xE9", true},   {"Show.", false}, {"Show ", false}, {"con", false},
        {"Con.S01", false}, {"CON .S01", false}, {"PRN", false},   {"AUX", false},   {"NUL.x", false},
        {"COM1", false},    {"LPT9.S01", false}, {"a<b", false},   {"a>b", false},   {"a:b", false},
        {"a\"b", false},    {"a/b", false},      {"a\\b", false},  {"a|b", false},   {"a?b", false},
        {"a*b", false},     {"a\tb", false},     {"a\x1F", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPlainFileName(c.name), c.usable) << "'" << c.name << "'";
    }
}

}  // namespace
