#include <gtest/gtest.h>

#include <string>

#include "installer/caption_rule.h"

using namespace qm::installer;

namespace {

TEST(IsPlainFileName, AcceptsCaptionsThatNameAFileInTheFolder) {
    const std::string good[] = {
        "My sorter",     "QM - Tidyreel", "a",         "Sort.episodes", "CONSOLE", "con1",  "COM0",
        "LPT10",         "NULL.txt",      "AUXILIARY", "x.lnk",         "Menu.lnk", "über", " leading blank",
        ".hidden",       "a..b",          std::string(200, 'x'),
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

}  // namespace
