// What the executable carries and how the pattern list loads from real settings files.

#include <gtest/gtest.h>

#include "app/settings.h"
#include "qm.API/registry.h"
#include "support/driver.h"

using namespace std::string_literals;

TEST(Resources, IconManifestAndVersion) {
    const HMODULE image = LoadLibraryExA(qm::test::TidyreelPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::string found;
    for (const auto& [type, name] : {std::pair{RT_GROUP_ICON, "MAINICON"},
                                     {RT_MANIFEST, MAKEINTRESOURCEA(1)},
                                     {RT_VERSION, MAKEINTRESOURCEA(1)}}) {
        const HRSRC resource = FindResourceA(image, name, type);
        ASSERT_NE(resource, nullptr) << name;
        found.append(static_cast<const char*>(LockResource(LoadResource(image, resource))),
                     SizeofResource(image, resource));
    }
    // What Windows and the user notice: no elevation prompt, sharp on every monitor, version 0.0.0.4.
    for (const std::string& part :
         {"\"asInvoker\""s, ">PerMonitorV2<"s, "\xBD\x04\xEF\xFE\0\0\1\0\0\0\0\0\4\0\0\0\0\0\0\0\4\0\0\0"s}) {
        EXPECT_NE(found.find(part), std::string::npos) << part;
    }
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
        {"\xFF\xFE[\0P\0a\0t\0t\0e\0r\0n\0s\0]\0\n\0\x30\0=\0a\0"s, {u"a"}},  // UTF-16, which it reads; no Limit: 0
    };
    for (const auto& [content, patterns] : cases) {
        ASSERT_TRUE(qm::test::WriteBytes(file, content));
        EXPECT_EQ(qm::app::LoadPatternList(file), patterns) << content.substr(0, 30);
    }
    ASSERT_TRUE(qm::test::WriteBytes(file, "[Patterns]\r\nLimit=2147483647\r\n"));
    EXPECT_EQ(qm::app::LoadPatternList(file).size(), 10000u);  // capped: a run must not take hours
}

TEST(RegRemoveKey, OneLevelPathIsRefused) {
    // A one-level path names no key below a parent: it is never taken for the top-level key itself.
    ASSERT_TRUE(qm::api::RegWriteText(HKEY_CURRENT_USER, "TidyreelOneLevel", {}, "kept"));
    EXPECT_FALSE(qm::api::RegRemoveKey(HKEY_CURRENT_USER, "TidyreelOneLevel\\"));
    EXPECT_EQ(qm::api::RegReadText(HKEY_CURRENT_USER, "TidyreelOneLevel", {}), "kept");
    RegDeleteKeyA(HKEY_CURRENT_USER, "TidyreelOneLevel");
}
