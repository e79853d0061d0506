// The INI operations over Wine's private-profile functions, on real files.

#include <gtest/gtest.h>

#include "qm.API/files.h"
#include "qm.API/ini.h"
#include "support/temp_folder.h"

#include <string>

using namespace qm::api;
using qm::test::TTempFolder;

namespace {

TEST(IniReadText, ValueOrFallback) {
    TTempFolder temp;
    const std::string file = temp / "t.ini";
    ASSERT_TRUE(qm::test::WriteBytes(file, "[Patterns]\r\nkey=value\r\nempty=\r\n[Other]\r\nonly=here\r\n"));
    struct Case {
        std::string file;
        std::string section;
        std::string key;
        std::string result;
        const char* why;
    };
    const Case cases[] = {
        {file, "Patterns", "key", "value", ""},
        {file, "patterns", "KEY", "value", "names compare without case"},
        {file, "Patterns", "empty", "", "an empty value is a value"},
        {file, "Patterns", "only", "fallback", "key in another section"},
        {file, "Missing", "key", "fallback", "missing section"},
        {temp / "missing.ini", "Patterns", "key", "fallback", "missing file"},
        {file, "Patterns", "", "fallback", "an empty key is no key, not the list of keys"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IniReadText(c.file, c.section, c.key, "fallback"), c.result) << c.why;
    }
}

TEST(IniReadText, LongValueIsCutTo1023Characters) {
    TTempFolder temp;
    const std::string file = temp / "t.ini";
    const std::string value(1500, 'v');
    ASSERT_TRUE(qm::test::WriteBytes(file, "[S]\r\nk=" + value + "\r\n"));
    EXPECT_EQ(IniReadText(file, "S", "k", ""), value.substr(0, 1023));
}

TEST(IniReadNumber, Forms) {
    TTempFolder temp;
    const std::string file = temp / "t.ini";
    struct Case {
        std::string value;
        int32_t result;
    };
    const Case cases[] = {
        {"11", 11},  {"+11", 11}, {"011", 11},  {"$B", 11},  {"0xB", 11}, {"0XB", 11}, {"%1011", 11},
        {"&13", 11}, {"-1", -1},  {"11abc", 7}, {"11.0", 7}, {"", 7},     {"abc", 7},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(IniWriteText(file, "S", "n", c.value));
        EXPECT_EQ(IniReadNumber(file, "S", "n", 7), c.result) << "'" << c.value << "'";
    }
    EXPECT_EQ(IniReadNumber(file, "S", "missing", 7), 7);
}

TEST(IniWrite, CreatesFileAndSectionAndNeverDeletes) {
    TTempFolder temp;
    const std::string file = temp / "new.ini";
    EXPECT_TRUE(IniWriteNumber(file, "S", "n", -15));
    EXPECT_TRUE(IsExistingFile(file));
    EXPECT_EQ(IniReadText(file, "S", "n", ""), "-15");
    // An empty value is written as one; a null value would have deleted the key.
    EXPECT_TRUE(IniWriteText(file, "S", "n", ""));
    EXPECT_EQ(IniReadText(file, "S", "n", "gone"), "");
    EXPECT_FALSE(IniWriteText(temp / "missing\\x.ini", "S", "n", "v")) << "the folder does not exist";
}

}  // namespace
