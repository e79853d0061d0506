// The settings file on real files: creation with the defaults, and how the pattern list loads.

#include <gtest/gtest.h>

#include "app/settings.h"
#include "qm.API/files.h"
#include "support/temp_folder.h"

#include <chrono>
#include <string>

using namespace qm::app;
using qm::api::TStrArr;
using qm::test::TTempFolder;

namespace {

const TStrArr kDefaults = {u"480p", u"576p",  u"720p",  u"1080p", u"2160p",  u"XviD",
                           u"HEVC", u"Rerip", u"BDrip", u"AAC",   u"DVDRip", u"PDTV"};

const std::string kDefaultKeys =
    "0=480p\r\n1=576p\r\n2=720p\r\n3=1080p\r\n4=2160p\r\n5=XviD\r\n6=HEVC\r\n7=Rerip\r\n8=BDrip\r\n9=AAC\r\n"
    "10=DVDRip\r\n11=PDTV\r\n";

TEST(EnsureSettingsFile, WritesTheDefaultsWhenMissing) {
    TTempFolder temp;
    const std::string file = temp / "tidyreel.ini";
    EXPECT_TRUE(EnsureSettingsFile(file));
    EXPECT_EQ(qm::test::ReadBytes(file), "[Patterns]\r\nLimit=11\r\n" + kDefaultKeys);
    EXPECT_EQ(LoadPatternList(file), kDefaults);
}

TEST(EnsureSettingsFile, NeverRewritesAnExistingFile) {
    TTempFolder temp;
    const std::string file = temp / "tidyreel.ini";
    for (const std::string content : {"", "[Patterns]\r\n0=only\r\n", "junk \x01\xFF"}) {
        ASSERT_TRUE(qm::test::WriteBytes(file, content));
        EXPECT_TRUE(EnsureSettingsFile(file));
        EXPECT_EQ(qm::test::ReadBytes(file), content);
    }
}

TEST(EnsureSettingsFile, DirectoryAtThePathFails) {
    TTempFolder temp;
    const std::string file = temp / "tidyreel.ini";
    ASSERT_TRUE(qm::test::MakeFolders(file));
    EXPECT_FALSE(EnsureSettingsFile(file));
    EXPECT_TRUE(qm::api::IsExistingFolder(file));
    EXPECT_FALSE(EnsureSettingsFile(temp / "missing\\tidyreel.ini")) << "its folder does not exist";
}

TEST(LoadPatternList, Contents) {
    TTempFolder temp;
    const std::string file = temp / "tidyreel.ini";
    const std::string long1500(1500, 'p');
    struct Case {
        std::string content;
        TStrArr patterns;
        const char* why;
    };
    const Case cases[] = {
        {"", {u""}, "empty file: Limit reads as 0"},
        {"[Other]\r\nLimit=3\r\n0=a\r\n", {u""}, "no section Patterns"},
        {"[Patterns]\r\n0=720p\r\n1=HEVC\r\n", {u"720p"}, "no Limit: only key 0"},
        {"[Patterns]\r\nLimit=3\r\n" + kDefaultKeys, {u"480p", u"576p", u"720p", u"1080p"}, "Limit below the keys"},
        {"[Patterns]\r\nLimit=5\r\n0=a\r\n1=b\r\n5=f\r\n", {u"a", u"b", u"", u"", u"", u"f"}, "gaps stay empty"},
        {"[Patterns]\r\nLimit=0x0B\r\n" + kDefaultKeys, kDefaults, "hexadecimal Limit"},
        {"[Patterns]\r\nLimit=$B\r\n" + kDefaultKeys, kDefaults, ""},
        {"[Patterns]\r\nLimit=11abc\r\n" + kDefaultKeys, {u"480p"}, "not a number: 0"},
        {"[Patterns]\r\nLimit=-1\r\n" + kDefaultKeys, {}, "negative: empty, the caller's error"},
        {"[Patterns]\r\nLimit=1\r\n0=" + long1500 + "\r\n1=Caf\xE9\r\n",
         {std::u16string(1023, u'p'), u"Caf\u00E9"},
         "values are cut to 1023 characters, and come in the ANSI code page"},
        {"[Patterns]\r\nLimit=2\r\n0=x\r\n0=y\r\n1=x\r\n", {u"x", u"x", u""}, "duplicates stay"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(qm::test::WriteBytes(file, c.content));
        EXPECT_EQ(LoadPatternList(file), c.patterns) << c.why;
    }
}

TEST(LoadPatternList, LargeLimitsAreCapped) {
    TTempFolder temp;
    const std::string file = temp / "tidyreel.ini";
    struct Case {
        std::string limit;
        size_t count;
    };
    const Case cases[] = {{"20", 21}, {"9999", 10000}, {"10000", 10000}, {"2147483647", 10000}, {"$7FFFFFFF", 10000}};
    for (const auto& c : cases) {
        ASSERT_TRUE(qm::test::WriteBytes(file, "[Patterns]\r\nLimit=" + c.limit + "\r\n" + kDefaultKeys));
        const auto start = std::chrono::steady_clock::now();
        const TStrArr patterns = LoadPatternList(file);
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ASSERT_EQ(patterns.size(), c.count) << c.limit;
        EXPECT_EQ(TStrArr(patterns.begin(), patterns.begin() + 12), kDefaults);
        EXPECT_TRUE(patterns.back().empty());
        EXPECT_LT(seconds, 10.0) << "Limit " << c.limit;
    }
}

}  // namespace
