// How the pattern list loads from real settings files.

#include <gtest/gtest.h>

#include "app/settings.h"
#include "qm.API/convert.h"
#include "support/driver.h"

namespace {

TEST(LoadPatternList, SettingsFiles) {
    const qm::test::TTempFolder folder;
    const std::string file = folder / "tidyreel.ini";
    const std::string long1500(1500, 'p');
    const std::pair<std::string, qm::api::TStrArr> cases[] = {
        {"[Patterns]\r\nLimit=$3\r\n0=a\r\n2=c\r\n3=D d\r\n4=e\r\n", {u"a", u"", u"c", u"D d"}},
        {"[Patterns]\r\n0=a\r\n1=b\r\n", {u"a"}},  // no Limit: 0
        {"[Patterns]\r\nLimit=1abc\r\n0=a\r\n1=b\r\n", {u"a"}},
        {"[Patterns]\r\nLimit=-1\r\n0=a\r\n", {}},
        {"[Other]\r\nLimit=1\r\n", {u""}},
        {"[Patterns]\r\nLimit=0\r\n0=" + long1500 + "\r\n", {qm::api::ToUtf16(long1500.substr(0, 1023))}},
    };
    for (const auto& [content, patterns] : cases) {
        ASSERT_TRUE(qm::test::WriteBytes(file, content));
        EXPECT_EQ(qm::app::LoadPatternList(file), patterns) << content.substr(0, 30);
    }
    ASSERT_TRUE(qm::test::WriteBytes(file, "[Patterns]\r\nLimit=2147483647\r\n"));
    EXPECT_EQ(qm::app::LoadPatternList(file).size(), 10000u);  // capped: a run must not take hours
}

}  // namespace
