// The real tidyreel.exe in sorting mode, started and answered from this test program.

#include <gtest/gtest.h>

#include <regex>

#include "support/driver.h"
#include "support/temp_folder.h"

namespace qm::test {
namespace {

// Four CR LF separated lines; the seconds right-aligned in ten characters with seven decimals.
const std::regex SummaryShape(
    "Found: (-?[0-9]+) files\r\nMoved: (-?[0-9]+) files\r\nSkipped: (-?[0-9]+) files\r\n"
    "Needed: ( *[0-9]+\\.[0-9]{7}) seconds");

void ExpectOneSummary(const TRunReport& report) {
    ASSERT_TRUE(report.Started);
    ASSERT_TRUE(report.Ended);
    EXPECT_EQ(report.ExitCode, 0u);
    ASSERT_EQ(report.Boxes.size(), 1u);
    const TMessageBox& box = report.Boxes[0];
    EXPECT_EQ(box.Title, "Quillmoors Tidyreel");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(box.Text, match, SummaryShape)) << box.Text;
    EXPECT_GE(match[4].length(), 10) << "seconds are padded to width 10";
    EXPECT_EQ(box.Buttons, std::vector<std::string>{"OK"});
}

TEST(SortingRunE2E, ExistingFolderShowsTheSummaryAndExitsWithZero) {
    TTempFolder folder;
    const TRunReport report = RunTidyreel(Quoted(folder.Path()));
    ExpectOneSummary(report);
}

TEST(SortingRunE2E, FurtherArgumentsAreIgnored) {
    TTempFolder folder;
    TTempFolder other;
    const TRunReport report = RunTidyreel(Quoted(folder.Path()) + " " + Quoted(other.Path()) + " third");
    ExpectOneSummary(report);
}

TEST(SortingRunE2E, QuotedFolderWithTrailingBackslashKeepsIt) {
    TTempFolder folder;
    const TRunReport report = RunTidyreel("\"" + folder.Path() + "\\\"");
    ExpectOneSummary(report);
}

}  // namespace
}  // namespace qm::test
