#include <gtest/gtest.h>

#include "installer/layout.h"

using namespace qm::installer;

namespace {

TEST(WindowPlaceFor, CentresHorizontallyAndSitsLowVertically) {
    struct Case {
        int fullWidth, fullHeight, cySize, cyMin;
        TWindowPlace expected;
        const char* why;
    };
    const Case cases[] = {
        {1024, 741, 18, 27, {401, 318, 222, 168}, "Wine's 1024x768 metrics: 370 - (150 - 45) / 2"},
        {1920, 1040, 22, 36, {849, 474, 222, 172}, ""},
        {1023, 767, 19, 26, {400, 331, 222, 169}, "odd sizes truncate: 511 - 111, 383 - 52"},
        {800, 600, 100, 100, {289, 325, 222, 250}, "large metrics: (150 - 200) / 2 = -25 truncates toward zero"},
        {800, 600, 100, 101, {289, 325, 222, 250}, "-51 / 2 is -25, not -26"},
        {0, 0, 0, 0, {-111, -75, 222, 150}, "no screen: negative positions pass through"},
    };
    for (const Case& c : cases) {
        const TWindowPlace place = WindowPlaceFor(c.fullWidth, c.fullHeight, c.cySize, c.cyMin);
        EXPECT_EQ(place.X, c.expected.X) << c.why;
        EXPECT_EQ(place.Y, c.expected.Y) << c.why;
        EXPECT_EQ(place.Width, c.expected.Width) << c.why;
        EXPECT_EQ(place.Height, c.expected.Height) << c.why;
    }
}

}  // namespace
