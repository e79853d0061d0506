// What the executable carries and how the pattern list loads from real settings files.

#include <gtest/gtest.h>

#include "app/settings.h"
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
    // No elevation, per-monitor DPI, no long paths, Windows Vista to 10; file and product 0.0.0.4.
    for (const std::string& part :
         {"\"asInvoker\""s, ">PerMonitorV2<"s, ">false</longPathAware>"s, "{e2011457-1546-43c5-a5fe-008deee3d3f0}"s,
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"s, "\xBD\x04\xEF\xFE\0\0\1\0\0\0\0\0\4\0\0\0\0\0\0\0\4\0\0\0"s}) {
        EXPECT_NE(found.find(part), std::string::npos) << part;
    }
}

TEST(LoadPatternList, SettingsFiles) {
    const qm::test::TTempFolder folder;
    const std::string file = folder / "tidyreel.ini";
    const std::pair<std::string, qm::api::TStrArr> cases[] = {
        {"[Patterns]\r\nLimit=$3\r\n0=a\r\n2=c\r\n3=D d\r\n4=e\r\n", {u"a", u"", u"c", u"D d"}},
        {"[Patterns]\r\n0=a\r\n1=b\r\n", {u"a"}},  // no Limit: 0
        {"[Patterns]\r\nLimit=1abc\r\n0=a\r\n1=b\r\n", {u"a"}},
        {"[Patterns]\r\nLimit=-1\r\n0=a\r\n", {}},
        {"[Other]\r\nLimit=1\r\n", {u""}},
        {"[Patterns]\r\nLimit=0\r\n0=" + std::string(1500, 'p'), {std::u16string(1023, u'p')}},
    };
    for (const auto& [content, patterns] : cases) {
        ASSERT_TRUE(qm::test::WriteBytes(file, content));
        EXPECT_EQ(qm::app::LoadPatternList(file), patterns) << content.substr(0, 30);
    }
    ASSERT_TRUE(qm::test::WriteBytes(file, "[Patterns]\r\nLimit=2147483647\r\n"));
    EXPECT_EQ(qm::app::LoadPatternList(file).size(), 10000u);  // capped: a run must not take hours
}
