// The start-up step against the platform. Wine's default prefix runs code page 1252, which has no
// double-byte characters.

#include <gtest/gtest.h>

#include "qm.API/dbcs.h"
#include "qm.API/startup.h"

#include <windows.h>

using namespace qm::api;

namespace {

TEST(StartUp, FillsTheDbcsStateFromThePlatform) {
    const TDbcsState saved = Dbcs;
    Dbcs = TDbcsState{};
    StartUp();
    const TDbcsState filled = Dbcs;
    Dbcs = saved;

    EXPECT_EQ(filled.DbcsEnabled, GetSystemMetrics(SM_DBCSENABLED) != 0);
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    if (!filled.DbcsEnabled || info.MaxCharSize == 1) {
        EXPECT_TRUE(filled.LeadBytes.none()) << "a single-byte code page has no lead bytes";
    }
    if (GetACP() == 1252) {
        EXPECT_FALSE(filled.DbcsEnabled);
        EXPECT_TRUE(filled.LeadBytes.none());
    }
}

}  // namespace
