// What the executable carries and how the pattern list loads from real settings files.

#include <gtest/gtest.h>

#include "app/settings.h"
#include "qm.API/registry.h"
#include "support/driver.h"

using namespace std::string_literals;

TEST(Resources, IconAndManifest) {
    const HMODULE image = LoadLibraryExA(qm::test::TidyreelPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC manifest = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_TRUE(manifest != nullptr && FindResourceA(image, "MAINICON", RT_GROUP_ICON) != nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(image, manifest))),
                           SizeofResource(image, manifest));
    // What Windows and the user notice: no elevation prompt, sharp on every monitor.
    EXPECT_TRUE(text.find("\"asInvoker\"") != std::string::npos && text.find(">PerMonitorV2<") != std::string::npos);
}

TEST(LoadPatternList, SettingsFiles) {
    const qm::test::TTempFolder folder;
    const std::string file = folder / "tidyreel.ini";
    const std::pair<std::string, qm::api::TStrArr> cases[] = {
        {"[Patterns]\r\nLimit=$3\r\n0=a\r\n2=c\r\n3=D d\r\n4=e\r\n", {u"a", u"", u"c", u"D d"}},
        {"[Patterns]\r\nLimit=1abc\r\n0=a\r\n1=b\r\n", {u"a"}},
        {"[Patterns]\r\nLimit=-1\r\n0=a\r\n", {}},
        {"[Other]\r\nLimit=1\r\n", {u""}},
        {"[Patterns]\r\nLimit=0\r\n0=" + std::string(1500, 'p'), {std::u16string(1023, u'p')}},
        {"\xEF\xBB\xBF[Patterns]\r\nLimit=0\r\n0=a\r\n", {}},                 // UTF-8: Windows would find no [Patterns]
        {"\xFF\xFE[\0P\0a\0t\0t\0e\0r\0n\0s\0]\0\n\0\x30\0=\0a\0"s, {u"a"}},  // UTF-16 LE, which it reads; no Limit: 0
        {"\xFE\xFF\0[\0P\0a\0t\0t\0e\0r\0n\0s\0]\0\n\0\x30\0=\0a"s, {}},      // UTF-16 BE, which it does not
        {"[Patterns]\r\nLimit=2147483647\r\n", qm::api::TStrArr(10000)},      // capped: a run must not take hours
    };
    for (const auto& [content, patterns] : cases) {
        ASSERT_TRUE(qm::test::WriteBytes(file, content));
        EXPECT_EQ(qm::app::LoadPatternList(file), patterns) << content.substr(0, 30);
    }
}

TEST(RegRemoveKey, OneLevelPathIsRefused) {
    // A one-level path names no key below a parent: it is never taken for the top-level key itself.
    ASSERT_TRUE(qm::api::RegWriteText(HKEY_CURRENT_USER, "TidyreelOneLevel", {}, "kept"));
    EXPECT_FALSE(qm::api::RegRemoveKey(HKEY_CURRENT_USER, "TidyreelOneLevel\\"));
    EXPECT_EQ(qm::api::RegReadText(HKEY_CURRENT_USER, "TidyreelOneLevel", {}), "kept");
    RegDeleteKeyA(HKEY_CURRENT_USER, "TidyreelOneLevel");
}
