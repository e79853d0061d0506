// The real tidyreel.exe in sorting mode, started and answered from this test program. Each test
// runs a private copy of the executable, so that it owns the settings file beside it, and checks
// both the exact tree a run leaves and the invariant that holds for every run.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/sorting_checks.h"

namespace qm::test {
namespace {

class SortingRunE2E : public TSortingRunFixture {};

TEST_F(SortingRunE2E, TypicalFolderIsSortedAndASecondRunMovesWhatWasBlocked) {
    TTempFolder video;
    const TMoves moves = {
        {"Show.Name.S01E01.Pilot.720p.HDTV.x264-GRP.mkv", "Show.Name.S01.720p.HDTV.x264-GRP"},
        {"Show.Name.S01E02.The.Second.One.720p.HDTV.x264-GRP.mkv", "Show.Name.S01.720p.HDTV.x264-GRP"},
        {"Show.Name.S01E03.720p.HDTV.x264-GRP.mkv", "Show.Name.S01.720p.HDTV.x264-GRP"},
        {"Show.Name.S01E05.720p.HDTV.x264-GRP.mkv", "Show.Name.S01.720p.HDTV.x264-GRP"},  // hidden
        {"Show.Name.S02E01.Return.1080p.WEB.h264-OTHER.mkv", "Show.Name.S02.1080p.WEB.h264-OTHER"},
        {"Another.Show.s03e07.Title.PDTV.XviD-TEAM.avi", "Another.Show.s03.PDTV.XviD-TEAM"},
        {"Docu.Series.S01E01.Episode.Title.mkv", "Docu.Series.S01.Episode.Title"},
        {"Space.Drama.S05E10.Finale.2160p.HEVC.x265-4K.mkv", "Space.Drama.S05.2160p.HEVC.x265-4K"},
        {"Space.Drama.S05E10.Finale.2160p.HEVC.x265-4K.srt", "Space.Drama.S05.2160p.HEVC.x265-4K"},
        {"Old.Show.S02E03.DVDRip.XviD.avi", "Old.Show.S02.DVDRip.XviD"},
        {"Aachen.S01E02.Pilot.720p.mkv", "Aachen.S01.Pilot.720p"},
        {"No.Extension.S01E01", "No.Extension"},
    };
    const std::vector<std::string> stay = {
        "README.txt",
        "S01E02.Show.mkv",     // the episode token is the first part
        "Show.S1E2.720p.mkv",  // no episode token
        "holiday-video.mp4",
        "Show.Name.S01E09.720p.HDTV.x264-GRP.mkv",  // its target exists already (below)
        "Taken.S01",                                // a file where a season folder would go
        "Taken.S01E01.mkv",
        "Held.S01E01.mkv",  // open in another program
        // Sub-folders, also those of an earlier run, are not entered.
        "Show.Name.S01.720p.HDTV.x264-GRP\\Show.Name.S01E09.720p.HDTV.x264-GRP.mkv",
        "Extras\\Show.Name.S01E06.720p.HDTV.x264-GRP.mkv",
        "Folder.S01E01.mkv\\inside.txt",
    };
    MakeFiles(video, stay, moves);
    ASSERT_TRUE(
        SetFileAttributesW(Wide(video / "Show.Name.S01E05.720p.HDTV.x264-GRP.mkv").c_str(), FILE_ATTRIBUTE_HIDDEN));
    const TTree before = SnapshotTree(video.Path());
    THeldFile held(video / "Held.S01E01.mkv");
    ASSERT_TRUE(held.Held());

    // The files directly in the folder.
    const int found = static_cast<int>(moves.size()) + 8;
    const TSortInvariant first = Before(video.Path());
    const TRunReport firstRun = Sort(Quoted(video.Path()));
    ExpectSummary(firstRun, found, static_cast<int>(moves.size()));
    ExpectInvariant(first, firstRun);
    // The held file's folder is made before its move fails, and stays.
    const TTree afterFirst = SnapshotTree(video.Path());
    EXPECT_EQ(afterFirst, Expected(before, moves, {"Held.S01"}));
    EXPECT_EQ(ReadBytes(SettingsFile()), kDefaultSettings) << "written on the first run";

    // The files that stayed are found again; only the one whose cause has gone moves.
    held.Release();
    const TSortInvariant second = Before(video.Path());
    const TRunReport secondRun = Sort(Quoted(video.Path()));
    ExpectSummary(secondRun, 8, 1);
    ExpectInvariant(second, secondRun);
    auto allMoves = moves;
    allMoves["Held.S01E01.mkv"] = "Held.S01";
    EXPECT_EQ(SnapshotTree(video.Path()), Expected(before, allMoves, {}));
}

TEST_F(SortingRunE2E, NamesWithoutAUsableFolderStay) {
    TTempFolder root;
    const TMoves moves = {
        {"Video\\Normal.S01E01.mkv", "Normal.S01"},
        // A pattern in the title builds the name as if there were none.
        {"Video\\Show.720p.S01E02.mkv", "Show.720p.S01"},
    };
    const std::vector<std::string> stay = {
        // Folder names Windows cannot hold as named: no folder is made, nothing moves.
        "Video\\.S01E02",           // empty: the file's own folder
        "Video\\..S01E02",          // "."
        "Video\\...S01E02",         // "..", the parent folder
        "Video\\Show.S01E02..mkv",  // "Show.S01." would be made as "Show.S01"
        "Video\\Show .S01E02",      // "Show " would be made as "Show"
        "Video\\CON.S01E02.mkv",    // a device name
        // A folder path too long for the 8-bit folder creation.
        "Video\\" + std::string(230, 'A') + ".S01E01.mkv",
        // Names the ANSI code page cannot hold: the rule would read substitutes in them.
        "Video\\\xD0\xA8\xD0\xBE\xD1\x83.S01E02.720p.mkv",                       // Cyrillic title
        "Video\\Show.S01E02.\xD0\x9F\xD0\xB8\xD0\xBB\xD0\xBE\xD1\x82.720p.mkv",  // Cyrillic episode title
        "Video\\\xC5\x81\xC3\xB3"
        "d\xC5\xBA.S01E02.mkv",                             // best fit would make it Lodz
        "Video\\\xE6\x9D\xB1\xE4\xBA\xAC.S01E02.720p.mkv",  // CJK title
    };
    MakeFiles(root, stay, moves);
    const TTree before = SnapshotTree(root.Path());
    const TSortInvariant invariant(root / "Video", DefaultPatternList(), {root.Path(), Beside()});

    const TRunReport report = Sort(Quoted(root / "Video"));
    ExpectSummary(report, static_cast<int>(stay.size() + moves.size()), 2);
    ExpectInvariant(invariant, report);
    EXPECT_EQ(SnapshotTree(root.Path()), Expected(before, moves, {}));
}

TEST_F(SortingRunE2E, SettingsErrorsTouchNothing) {
    TTempFolder video;
    MakeFiles(video, {"Show.S01E01.720p.mkv"});
    const TTree before = SnapshotTree(video.Path());
    const TSortInvariant invariant = Before(video.Path());

    // A directory where the settings file belongs: it cannot be created.
    ASSERT_TRUE(MakeFolders(SettingsFile()));
    const TRunReport report = Sort(Quoted(video.Path()));
    ExpectError(report, "ini file is missing/creation/reading error!");
    ExpectInvariant(invariant, report);
    EXPECT_EQ(SnapshotTree(video.Path()), before);
    RemoveTree(SettingsFile());

    // A negative Limit loads no patterns, which is reported before the argument is looked at.
    ASSERT_TRUE(WriteBytes(SettingsFile(), "[Patterns]\r\nLimit=-1\r\n0=720p\r\n"));
    ExpectError(Sort(Quoted(video.Path())), "ini file reading error!");
    ExpectError(Sort(Quoted(video / "missing")), "ini file reading error!");
    EXPECT_EQ(SnapshotTree(video.Path()), before);
    ExpectInvariant(invariant, {});
    EXPECT_EQ(ReadBytes(SettingsFile()), "[Patterns]\r\nLimit=-1\r\n0=720p\r\n") << "never rewritten";
}

TEST_F(SortingRunE2E, NoFolderEndsSilently) {
    TTempFolder temp;
    MakeFiles(temp, {"Show.S01E01.720p.mkv"});
    const TTree before = SnapshotTree(temp.Path());
    const TSortInvariant invariant = Before(temp.Path());
    for (const std::string& argument : {temp / "Show.S01E01.720p.mkv", temp / "missing", std::string()}) {
        const TRunReport report = Sort(Quoted(argument));
        ExpectEndedWithBoxes(report, 0);
        ExpectInvariant(invariant, report);
    }
    EXPECT_EQ(SnapshotTree(temp.Path()), before);
    EXPECT_EQ(ReadBytes(SettingsFile()), kDefaultSettings) << "the settings come before the folder test";
}

TEST_F(SortingRunE2E, EmptyFolderCountsNothing) {
    TTempFolder folder;
    ExpectSummary(Sort(Quoted(folder.Path())), 0, 0);
}

TEST_F(SortingRunE2E, FolderWithTrailingBackslash) {
    TTempFolder video;
    MakeFiles(video, {"Show.S01E01.720p.mkv", "README.txt"});
    const TTree before = SnapshotTree(video.Path());
    const TSortInvariant invariant = Before(video.Path());
    // Explorer passes a drive root quoted with its backslash; the backslash stays.
    const TRunReport report = Sort("\"" + video.Path() + "\\\"");
    ExpectSummary(report, 2, 1);
    ExpectInvariant(invariant, report);
    EXPECT_EQ(SnapshotTree(video.Path()), Expected(before, {{"Show.S01E01.720p.mkv", "Show.S01.720p"}}, {}));
}

TEST_F(SortingRunE2E, RelativeFolderIsSortedLikeAFullPath) {
    // A bare long-path prefix before a relative path names nothing: every move used to fail and
    // leave an empty season folder behind.
    TTempFolder parent;
    ASSERT_TRUE(MakeFolders(parent / "Video"));
    MakeFiles(parent, {"Video\\Show.S01E01.720p.mkv", "Video\\README.txt"});
    const TTree before = SnapshotTree(parent.Path());
    const TSortInvariant invariant = Before(parent / "Video");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(parent.Path().c_str()));
    const TRunReport report = Sort("Video");
    SetCurrentDirectoryA(previous);
    ExpectSummary(report, 2, 1);
    ExpectInvariant(invariant, report);
    EXPECT_EQ(SnapshotTree(parent.Path()), Expected(before, {{"Video\\Show.S01E01.720p.mkv", "Show.S01.720p"}}, {}));
}

TEST_F(SortingRunE2E, FurtherArgumentsAreIgnored) {
    TTempFolder first;
    TTempFolder other;
    MakeFiles(first, {"Show.S01E01.mkv"});
    MakeFiles(other, {"Show.S01E02.mkv"});
    const TSortInvariant invariant(first.Path(), DefaultPatternList(), {other.Path(), Beside()});
    const TRunReport report = Sort(Quoted(first.Path()) + " " + Quoted(other.Path()) + " third");
    ExpectSummary(report, 1, 1);
    ExpectInvariant(invariant, report);
}

}  // namespace
}  // namespace qm::test
