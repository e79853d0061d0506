// The sorting invariant against runs faked by hand on real files: each way a run could go wrong is
// caught, and a faithful run passes.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/invariant.h"
#include "support/temp_folder.h"

namespace qm::test {
namespace {

const qm::api::TStrArr Patterns = {u"720p"};

struct TFakeRun {
    const char* why;
    std::function<void(const std::string& video, const std::string& beside)> act;
    bool holds;
    const char* breach;  // a part of the first breach's text
};

bool Move(const std::string& from, const std::string& to) {
    return MoveFileW(Wide(from).c_str(), Wide(to).c_str()) != 0;
}

TEST(SortInvariant, CatchesEveryWayARunCanGoWrong) {
    const TFakeRun runs[] = {
        {"nothing happens", [](const std::string&, const std::string&) {}, true, ""},
        {"a faithful run",
         [](const std::string& video, const std::string&) {
             MakeFolders(video + "\\Show.S01.720p");
             Move(video + "\\Show.S01E01.720p.mkv", video + "\\Show.S01.720p\\Show.S01E01.720p.mkv");
         },
         true, ""},
        {"a season folder made for a move that then failed",
         [](const std::string& video, const std::string&) { MakeFolders(video + "\\Show.S01.720p"); }, true, ""},
        {"a file deleted",
         [](const std::string& video, const std::string&) { DeleteFileW(Wide(video + "\\README.txt").c_str()); }, false,
         "lost or changed: README.txt"},
        {"a file overwritten",
         [](const std::string& video, const std::string&) { WriteBytes(video + "\\README.txt", "other"); }, false,
         "lost or changed: README.txt"},
        {"a file renamed in place",
         [](const std::string& video, const std::string&) { Move(video + "\\README.txt", video + "\\README.md"); },
         false, "lost or changed: README.txt"},
        {"a file moved into a folder of another name",
         [](const std::string& video, const std::string&) {
             MakeFolders(video + "\\Show.S01");
             Move(video + "\\Show.S01E01.720p.mkv", video + "\\Show.S01\\Show.S01E01.720p.mkv");
         },
         false, "a folder the rule does not name: Show.S01\\"},
        {"a file without an episode moved",
         [](const std::string& video, const std::string&) {
             MakeFolders(video + "\\Show.S01.720p");
             Move(video + "\\README.txt", video + "\\Show.S01.720p\\README.txt");
         },
         false, "neither where it was nor where the rule puts it: Show.S01.720p\\README.txt"},
        {"a file taken out of a sub-folder",
         [](const std::string& video, const std::string&) {
             Move(video + "\\Extras\\Show.S01E09.720p.mkv", video + "\\Show.S01E09.720p.mkv");
         },
         false, "neither where it was nor where the rule puts it: Show.S01E09.720p.mkv"},
        {"a file copied", [](const std::string& video, const std::string&) { WriteBytes(video + "\\x", "x"); }, false,
         "new or changed: x"},
        {"a folder removed", [](const std::string& video, const std::string&) { RemoveTree(video + "\\Extras"); },
         false, "lost or changed: Show.S01E09.720p.mkv"},
        {"a file outside changed",
         [](const std::string&, const std::string& beside) { WriteBytes(beside + "\\Show.S01E02.720p.mkv", "x"); },
         false, "changed outside the sorted folder"},
    };
    for (const TFakeRun& run : runs) {
        TTempFolder root;
        const std::string video = root / "Video";
        const std::string beside = root / "Beside";
        ASSERT_TRUE(MakeFolders(video + "\\Extras"));
        ASSERT_TRUE(MakeFolders(beside));
        for (const std::string name : {"Show.S01E01.720p.mkv", "README.txt", "Extras\\Show.S01E09.720p.mkv"}) {
            ASSERT_TRUE(WriteBytes(video + "\\" + name, name));
        }
        ASSERT_TRUE(WriteBytes(beside + "\\Show.S01E02.720p.mkv", "episode"));
        const TSortInvariant invariant(video, Patterns, {root.Path()});

        run.act(video, beside);
        const TInvariantReport report = invariant.Check();
        EXPECT_EQ(report.Holds(), run.holds) << run.why << "\n" << report.Describe();
        if (!run.holds && !report.Breaches.empty()) {
            EXPECT_NE(report.Describe().find(run.breach), std::string::npos) << run.why << "\n" << report.Describe();
        }
    }
}

TEST(SortInvariant, FilesTheTestItselfRemovedOrRenamed) {
    TTempFolder video;
    for (const std::string name : {"A.S01E01.720p.mkv", "B.S01E01.720p.mkv", "C.S01E01.720p.mkv"}) {
        ASSERT_TRUE(WriteBytes(video / name, name));
    }
    TSortInvariant invariant(video.Path(), Patterns);
    ASSERT_TRUE(DeleteFileW(Wide(video / "A.S01E01.720p.mkv").c_str()));
    invariant.Removed("A.S01E01.720p.mkv");
    ASSERT_TRUE(Move(video / "B.S01E01.720p.mkv", video / "Renamed.B.S01E01.720p.mkv"));
    invariant.Renamed("B.S01E01.720p.mkv", "Renamed.B.S01E01.720p.mkv");
    // The run made A's folder before its move failed, and moved C.
    ASSERT_TRUE(MakeFolders(video / "A.S01.720p"));
    ASSERT_TRUE(MakeFolders(video / "C.S01.720p"));
    ASSERT_TRUE(Move(video / "C.S01E01.720p.mkv", video / "C.S01.720p\\C.S01E01.720p.mkv"));

    const TInvariantReport report = invariant.Check();
    EXPECT_TRUE(report.Holds()) << report.Describe();
    EXPECT_EQ(report.Moved, 1u);
    EXPECT_EQ(report.Stayed, 1u) << "the renamed file, under its new name";

    // A renamed file is not the run's to move.
    ASSERT_TRUE(MakeFolders(video / "Renamed.B.S01.720p"));
    ASSERT_TRUE(Move(video / "Renamed.B.S01E01.720p.mkv", video / "Renamed.B.S01.720p\\Renamed.B.S01E01.720p.mkv"));
    EXPECT_FALSE(invariant.Check().Holds());
}

}  // namespace
}  // namespace qm::test
