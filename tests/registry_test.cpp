// The registry helpers against Wine's real registry, below a test key that is removed afterwards.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "qm.API/registry.h"
#include "support/installer_traces.h"

using namespace qm::api;
using qm::test::KeyExists;
using qm::test::ReadStoredValue;
using qm::test::RemoveKeyTree;
using qm::test::StoreValue;

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override { RemoveKeyTree(root_); }
    void TearDown() override { RemoveKeyTree(root_); }

    // Key paths as the program writes them: relative to HKEY_CURRENT_USER, ending in a backslash.
    std::string Key(const std::string& relative) const { return root_ + "\\" + relative + "\\"; }
    std::string Bare(const std::string& relative) const { return root_ + "\\" + relative; }

    const std::string root_ = "SOFTWARE\\QuillmoorTests\\registry-" + std::to_string(GetCurrentProcessId());
};

TEST_F(Registry, TextsAreStoredAsRegSzWithTheirNul) {
    struct Case {
        std::string text;
        std::string stored;
    };
    const Case cases[] = {
        {"", std::string(1, '\0')},
        {"abc", std::string("abc\0", 4)},
        {"\"C:\\Tools\\tidyreel.exe\" \"%1\"", std::string("\"C:\\Tools\\tidyreel.exe\" \"%1\"\0", 29)},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, Key("texts"), "v", c.text)) << c.text;
        const auto stored = ReadStoredValue(Bare("texts"), "v");
        EXPECT_EQ(stored.Type, static_cast<DWORD>(REG_SZ)) << c.text;
        EXPECT_EQ(stored.Bytes, c.stored) << c.text;
        EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("texts"), "v"), c.text);
    }
}

TEST_F(Registry, EmptyNameIsTheDefaultValueAndMissingKeysAreCreated) {
    ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, Key("a\\b\\c"), {}, "deep"));
    EXPECT_EQ(ReadStoredValue(Bare("a\\b\\c")).Bytes, std::string("deep\0", 5));
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("a\\b\\c"), {}), "deep");
}

TEST_F(Registry, WriteValueRefusesSizesOutsideItsData) {
    EXPECT_FALSE(RegWriteValue(HKEY_CURRENT_USER, Key("sizes"), "v", REG_SZ, "abc", -1));
    EXPECT_FALSE(RegWriteValue(HKEY_CURRENT_USER, Key("sizes"), "v", REG_SZ, "abc", 4))
        << "one byte past the data given";
    EXPECT_FALSE(KeyExists(Bare("sizes"))) << "a refused write does not touch the registry";
    EXPECT_TRUE(RegWriteValue(HKEY_CURRENT_USER, Key("sizes"), "v", REG_SZ, "abc", 0));
    EXPECT_EQ(ReadStoredValue(Bare("sizes"), "v").Bytes, "");
}

TEST_F(Registry, ReadTextGivesEmptyForEverythingButAStringValue) {
    const uint32_t number = 7;
    const std::string dword(reinterpret_cast<const char*>(&number), sizeof number);
    ASSERT_TRUE(RegWriteValue(HKEY_CURRENT_USER, Key("types"), "dword", REG_DWORD, dword, 4));
    ASSERT_TRUE(StoreValue(Bare("types"), "expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7)));
    ASSERT_TRUE(StoreValue(Bare("types"), "binary", REG_BINARY, std::string("abc\0", 4)));
    ASSERT_TRUE(StoreValue(Bare("types"), "zero", REG_SZ, ""));

    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("types"), "dword"), "");
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("types"), "expand"), "");
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("types"), "binary"), "");
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("types"), "zero"), "") << "a zero-byte string value";
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("types"), "missing"), "");
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("no such key"), {}), "");
}

TEST_F(Registry, ReadTextKeepsEveryByteOfAStringStoredWithoutNul) {
    ASSERT_TRUE(RegWriteValue(HKEY_CURRENT_USER, Key("nul"), "bare", REG_SZ, "abc", 3));
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("nul"), "bare"), "abc") << "the last byte is not cut off";
    ASSERT_TRUE(StoreValue(Bare("nul"), "inner", REG_SZ, std::string("ab\0cd\0", 6)));
    EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, Key("nul"), "inner"), "ab") << "the text ends at its first NUL";
}

TEST_F(Registry, RemoveKeyDeletesOneKeyWithoutSubkeys) {
    ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, Key("verb\\command"), {}, "cmd"));
    ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, Key("verb"), "Icon", "icon"));

    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, Key("verb"))) << "not recursive: the subkey stops it";
    EXPECT_TRUE(KeyExists(Bare("verb\\command")));

    EXPECT_TRUE(RegRemoveKey(HKEY_CURRENT_USER, Key("verb\\command")));
    EXPECT_TRUE(RegRemoveKey(HKEY_CURRENT_USER, Key("verb"))) << "values go with their key";
    EXPECT_FALSE(KeyExists(Bare("verb")));
    EXPECT_TRUE(KeyExists(root_)) << "keys above stay";

    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, Key("verb"))) << "a missing key";
    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, "\\No such parent\\x\\"));
}

TEST_F(Registry, RemoveKeyOfOneLevelDeletesNothing) {
    // A one-level path leaves no child to delete below its parent; the parent itself must stay.
    const std::string single = "QuillmoorTestsSingle" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, single + "\\", {}, "x"));
    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, single + "\\"));
    EXPECT_FALSE(RegRemoveKey(HKEY_CURRENT_USER, single));
    EXPECT_TRUE(KeyExists(single));
    RemoveKeyTree(single);
}

}  // namespace
