// One sorting run over a folder of many files (scripts/stress.sh makes it from the Linux side,
// where making 100,000 files takes seconds rather than the hours it takes through Wine). The
// summary's counts are exact, the invariant holds, and the run's peak memory is reported.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "e2e/sorting_checks.h"
#include "qm.API/files.h"
#include "sorter/move_target.h"

namespace qm::test {
namespace {

class StressE2E : public TSortingRunFixture {};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(StressE2E, OneRunOverAFolderOfManyFiles) {
    const char* folder = std::getenv("TIDYREEL_STRESS_FOLDER");
    if (folder == nullptr) {
        GTEST_SKIP() << "run by scripts/stress.sh, which prepares the folder";
    }
    const std::string video = folder;
    const std::string parent = video.substr(0, video.find_last_of('\\'));

    // What the run will find and what it should move.
    const std::wstring wide = Wide(video);
    const qm::api::TStrArr listing = qm::api::ListFiles(std::u16string(wide.begin(), wide.end()), u"*.*", false);
    int episodes = 0;
    std::set<std::string> seasonFolders;
    for (const auto& entry : listing) {
        if (const auto move = qm::sorter::MoveTargetOf(entry, DefaultPatternList())) {
            ++episodes;
            seasonFolders.insert(move->Folder);
        }
    }
    const auto pictureStart = std::chrono::steady_clock::now();
    const TSortInvariant invariant(video, DefaultPatternList(), {parent, Beside()});
    const double pictureSeconds = SecondsSince(pictureStart);

    const auto runStart = std::chrono::steady_clock::now();
    const TRunReport report = Sort(Quoted(video), 60 * 60 * 1000);
    const double runSeconds = SecondsSince(runStart);
    ExpectSummary(report, static_cast<int>(listing.size()), episodes);

    const auto checkStart = std::chrono::steady_clock::now();
    const TInvariantReport check = invariant.Check();
    const double checkSeconds = SecondsSince(checkStart);
    EXPECT_TRUE(check.Holds()) << check.Describe();
    EXPECT_EQ(check.Moved, static_cast<size_t>(episodes));
    EXPECT_EQ(check.Stayed, listing.size() - static_cast<size_t>(episodes));

    // The file list is the one thing that grows with the folder: a few hundred bytes per file on
    // top of what the process needs anyway.
    const double megabytes = static_cast<double>(report.PeakWorkingSetBytes) / (1024.0 * 1024.0);
    EXPECT_GT(report.PeakWorkingSetBytes, 0u);
    EXPECT_LT(megabytes, 200.0 + static_cast<double>(listing.size()) / 1024.0);

    std::printf(
        "stress: %zu files, %d moved into %zu season folders, %zu stayed, %zu lost, %zu breaches; "
        "run %.1f s (pictures %.1f s + %.1f s); peak working set %.1f MB, peak commit %.1f MB\n",
        listing.size(), episodes, seasonFolders.size(), check.Stayed, check.Lost, check.Breaches.size(), runSeconds,
        pictureSeconds, checkSeconds, megabytes, static_cast<double>(report.PeakPagefileBytes) / (1024.0 * 1024.0));
}

}  // namespace
}  // namespace qm::test
