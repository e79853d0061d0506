#include <gtest/gtest.h>

#include <cstdint>

#include "app/run_state.h"
#include "app/summary.h"

namespace qm::app {
namespace {

TEST(RunSummaryTest, FourLinesWithPaddedSeconds) {
    // 0.0421 s at a 10 MHz counter.
    EXPECT_EQ(RunSummary(14, 11, 10'000'000, 5'000'000, 5'421'000),
              "Found: 14 files\r\nMoved: 11 files\r\nSkipped: 3 files\r\nNeeded:  0.0421000 seconds");
}

TEST(RunSummaryTest, SecondsAreRoundedToSevenDecimals) {
    EXPECT_EQ(RunSummary(0, 0, 100'000'000, 0, 123'456'789),
              "Found: 0 files\r\nMoved: 0 files\r\nSkipped: 0 files\r\nNeeded:  1.2345679 seconds");
}

TEST(RunSummaryTest, LongRunsFillTheWidthAndAreNotCut) {
    EXPECT_EQ(RunSummary(1, 1, 2, 0, 25),
              "Found: 1 files\r\nMoved: 1 files\r\nSkipped: 0 files\r\nNeeded: 12.5000000 seconds");
    EXPECT_EQ(RunSummary(1, 0, 2, 0, 247),
              "Found: 1 files\r\nMoved: 0 files\r\nSkipped: 1 files\r\nNeeded: 123.5000000 seconds");
}

TEST(RunSummaryTest, NoCounterMeansNoNeededLine) {
    EXPECT_EQ(RunSummary(3, 1, 0, 0, 0), "Found: 3 files\r\nMoved: 1 files\r\nSkipped: 2 files");
    EXPECT_EQ(RunSummary(3, 1, -5, 0, 10), "Found: 3 files\r\nMoved: 1 files\r\nSkipped: 2 files");
}

TEST(RunSummaryTest, CounterDifferenceIsTakenIn64Bits) {
    // Readings beyond 32 bits must not be cut before they are subtracted.
    const int64_t start = INT64_C(0x7FFF'FFFF'0000'0000);
    EXPECT_EQ(RunSummary(0, 0, 1'000'000, start, start + 2'500'000),
              "Found: 0 files\r\nMoved: 0 files\r\nSkipped: 0 files\r\nNeeded:  2.5000000 seconds");
}

struct TSettingsCase {
    const char* executable;
    const char* settings;
};

TEST(SettingsFileOfTest, DirectoryBareNameAndIni) {
    const TSettingsCase cases[] = {
        {"C:\\Tools\\Sorter.exe", "C:\\Tools\\Sorter.ini"},
        {"C:\\Tools\\tidyreel.exe", "C:\\Tools\\tidyreel.ini"},
        {"C:\\old.dir\\a.b.exe", "C:\\old.dir\\a.b.ini"},  // only the last dot starts the extension
        {"C:\\Tools\\noext", "C:\\Tools\\noext.ini"},
        {"C:tidyreel.exe", "C:\\tidyreel.ini"},  // a drive-relative path still gets its backslash
        {"\\\\server\\share\\t.exe", "\\\\server\\share\\t.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsFileOf(c.executable), c.settings) << c.executable;
    }
}

}  // namespace
}  // namespace qm::app
