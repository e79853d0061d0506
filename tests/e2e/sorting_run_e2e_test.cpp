// The real tidyreel.exe in sorting mode, started and answered from this test program. Each test
// runs a private copy of the executable, so that it owns the settings file beside it.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/driver.h"
#include "support/temp_folder.h"

namespace qm::test {
namespace {

using TTree = std::map<std::string, std::string>;

// Four CR LF separated lines; the seconds right-aligned in ten characters with seven decimals.
const std::regex SummaryShape(
    "Found: (-?[0-9]+) files\r\nMoved: (-?[0-9]+) files\r\nSkipped: (-?[0-9]+) files\r\n"
    "Needed: ( *[0-9]+\\.[0-9]{7}) seconds");

const std::string kDefaultSettings =
    "[Patterns]\r\nLimit=11\r\n0=480p\r\n1=576p\r\n2=720p\r\n3=1080p\r\n4=2160p\r\n5=XviD\r\n6=HEVC\r\n"
    "7=Rerip\r\n8=BDrip\r\n9=AAC\r\n10=DVDRip\r\n11=PDTV\r\n";

void ExpectEndedWithBoxes(const TRunReport& report, size_t boxes) {
    ASSERT_TRUE(report.Started);
    ASSERT_TRUE(report.Ended);
    EXPECT_EQ(report.ExitCode, 0u);
    ASSERT_EQ(report.Boxes.size(), boxes);
    for (const auto& box : report.Boxes) {
        EXPECT_EQ(box.Buttons, std::vector<std::string>{"OK"});
    }
}

void ExpectSummary(const TRunReport& report, int found, int moved) {
    ExpectEndedWithBoxes(report, 1);
    const TMessageBox& box = report.Boxes[0];
    EXPECT_EQ(box.Title, "Quillmoors Tidyreel");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(box.Text, match, SummaryShape)) << box.Text;
    EXPECT_EQ(std::stoi(match[1]), found) << box.Text;
    EXPECT_EQ(std::stoi(match[2]), moved) << box.Text;
    EXPECT_EQ(std::stoi(match[3]), found - moved) << box.Text;
    EXPECT_GE(match[4].length(), 10) << "seconds are padded to width 10";
}

void ExpectError(const TRunReport& report, const std::string& text) {
    ExpectEndedWithBoxes(report, 1);
    EXPECT_EQ(report.Boxes[0].Title, "Error!");
    EXPECT_EQ(report.Boxes[0].Text, text);
}

// Each test runs a private copy of tidyreel.exe in a folder of its own.
class SortingRunE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(exe_.empty()) << "tidyreel.exe could not be copied"; }
    TRunReport Sort(const std::string& commandLineTail) const { return RunAnsweringBoxes(exe_, commandLineTail); }
    std::string SettingsFile() const { return toolFolder_ / "tidyreel.ini"; }

private:
    TTempFolder toolFolder_;
    std::string exe_ = CopyTidyreelTo(toolFolder_.Path());
};

using TMoves = std::map<std::string, std::string>;  // file (relative to a root) -> its season folder

// Files to make below a root, by relative path (UTF-8): those that stay and those to be moved.
// Each file's content is its own path, so that a file moved under another name or replaced would
// show.
void MakeFiles(const TTempFolder& root, const std::vector<std::string>& stay, const TMoves& moves = {}) {
    std::vector<std::string> files = stay;
    for (const auto& [file, folder] : moves) {
        files.push_back(file);
    }
    for (const auto& file : files) {
        const size_t cut = file.find_last_of('\\');
        if (cut != std::string::npos) {
            ASSERT_TRUE(MakeFolders(root / file.substr(0, cut)));
        }
        // The \\?\ form reaches names the plain path rules would read otherwise (CON.S01E02.mkv).
        ASSERT_TRUE(WriteBytes("\\\\?\\" + (root / file), file)) << file;
    }
}

// The tree expected after a run: every file of `before` where it was, except the moved ones, which
// lie in their season folder (relative to root) under their own name with their own content.
// `folders` are further folders the run leaves (empty ones of failed moves).
TTree Expected(TTree tree, const TMoves& moved, const std::vector<std::string>& folders) {
    for (const auto& [file, folder] : moved) {
        const std::string content = tree.at(file);
        tree.erase(file);
        const size_t cut = file.find_last_of('\\');
        const std::string dir = cut == std::string::npos ? "" : file.substr(0, cut + 1);
        tree[dir + folder + "\\"] = "<dir>";
        tree[dir + folder + "\\" + file.substr(cut + 1)] = content;
    }
    for (const auto& folder : folders) {
        tree[folder + "\\"] = "<dir>";
    }
    return tree;
}

// A file opened without delete sharing, as a player holding the file would.
class THeldFile {
public:
    explicit THeldFile(const std::string& path)
        : handle_(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~THeldFile() { Release(); }
    THeldFile(const THeldFile&) = delete;
    THeldFile& operator=(const THeldFile&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle_;
};

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
    ASSERT_TRUE(SetFileAttributesW(Wide(video / "Show.Name.S01E05.720p.HDTV.x264-GRP.mkv").c_str(),
                                   FILE_ATTRIBUTE_HIDDEN));
    const TTree before = SnapshotTree(video.Path());
    THeldFile held(video / "Held.S01E01.mkv");
    ASSERT_TRUE(held.Held());

    // The files directly in the folder.
    const int found = static_cast<int>(moves.size()) + 8;
    ExpectSummary(Sort(Quoted(video.Path())), found, static_cast<int>(moves.size()));
    // The held file's folder is made before its move fails, and stays.
    const TTree afterFirst = SnapshotTree(video.Path());
    EXPECT_EQ(afterFirst, Expected(before, moves, {"Held.S01"}));
    EXPECT_EQ(ReadBytes(SettingsFile()), kDefaultSettings) << "written on the first run";

    // The files that stayed are found again; only the one whose cause has gone moves.
    held.Release();
    ExpectSummary(Sort(Quoted(video.Path())), 8, 1);
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
        "Video\\.S01E02",            // empty: the file's own folder
        "Video\\..S01E02",           // "."
        "Video\\...S01E02",          // "..", the parent folder
        "Video\\Show.S01E02..mkv",   // "Show.S01." would be made as "Show.S01"
        "Video\\Show .S01E02",       // "Show " would be made as "Show"
        "Video\\CON.S01E02.mkv",     // a device name
        // A folder path too long for the 8-bit folder creation.
        "Video\\" + std::string(230, 'A') + ".S01E01.mkv",
        // Names the ANSI code page cannot hold: the rule would read substitutes in them.
        "Video\\\xD0\xA8\xD0\xBE\xD1\x83.S01E02.720p.mkv",                          // Cyrillic title
        "Video\\Show.S01E02.\xD0\x9F\xD0\xB8\xD0\xBB\xD0\xBE\xD1\x82.720p.mkv",    // Cyrillic episode title
        "Video\\\xC5\x81\xC3\xB3" "d\xC5\xBA.S01E02.mkv",                           // best fit would make it Lodz
    };
    MakeFiles(root, stay, moves);
    const TTree before = SnapshotTree(root.Path());

    ExpectSummary(Sort(Quoted(root / "Video")), static_cast<int>(stay.size() + moves.size()), 2);
    EXPECT_EQ(SnapshotTree(root.Path()), Expected(before, moves, {}));
}

TEST_F(SortingRunE2E, SettingsErrorsTouchNothing) {
    TTempFolder video;
    MakeFiles(video, {"Show.S01E01.720p.mkv"});
    const TTree before = SnapshotTree(video.Path());

    // A directory where the settings file belongs: it cannot be created.
    ASSERT_TRUE(MakeFolders(SettingsFile()));
    ExpectError(Sort(Quoted(video.Path())), "ini file is missing/creation/reading error!");
    EXPECT_EQ(SnapshotTree(video.Path()), before);
    RemoveTree(SettingsFile());

    // A negative Limit loads no patterns, which is reported before the argument is looked at.
    ASSERT_TRUE(WriteBytes(SettingsFile(), "[Patterns]\r\nLimit=-1\r\n0=720p\r\n"));
    ExpectError(Sort(Quoted(video.Path())), "ini file reading error!");
    ExpectError(Sort(Quoted(video / "missing")), "ini file reading error!");
    EXPECT_EQ(SnapshotTree(video.Path()), before);
    EXPECT_EQ(ReadBytes(SettingsFile()), "[Patterns]\r\nLimit=-1\r\n0=720p\r\n") << "never rewritten";
}

TEST_F(SortingRunE2E, NoFolderEndsSilently) {
    TTempFolder temp;
    MakeFiles(temp, {"Show.S01E01.720p.mkv"});
    const TTree before = SnapshotTree(temp.Path());
    for (const std::string& argument : {temp / "Show.S01E01.720p.mkv", temp / "missing", std::string()}) {
        const TRunReport report = Sort(Quoted(argument));
        ExpectEndedWithBoxes(report, 0);
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
    // Explorer passes a drive root quoted with its backslash; the backslash stays.
    ExpectSummary(Sort("\"" + video.Path() + "\\\""), 2, 1);
    EXPECT_EQ(SnapshotTree(video.Path()), Expected(before, {{"Show.S01E01.720p.mkv", "Show.S01.720p"}}, {}));
}

TEST_F(SortingRunE2E, RelativeFolderIsSortedLikeAFullPath) {
    // A bare long-path prefix before a relative path names nothing: every move used to fail and
    // leave an empty season folder behind.
    TTempFolder parent;
    ASSERT_TRUE(MakeFolders(parent / "Video"));
    MakeFiles(parent, {"Video\\Show.S01E01.720p.mkv", "Video\\README.txt"});
    const TTree before = SnapshotTree(parent.Path());
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(parent.Path().c_str()));
    const TRunReport report = Sort("Video");
    SetCurrentDirectoryA(previous);
    ExpectSummary(report, 2, 1);
    EXPECT_EQ(SnapshotTree(parent.Path()), Expected(before, {{"Video\\Show.S01E01.720p.mkv", "Show.S01.720p"}}, {}));
}

TEST_F(SortingRunE2E, FurtherArgumentsAreIgnored) {
    TTempFolder first;
    TTempFolder other;
    MakeFiles(first, {"Show.S01E01.mkv"});
    MakeFiles(other, {"Show.S01E02.mkv"});
    const TTree otherBefore = SnapshotTree(other.Path());
    ExpectSummary(Sort(Quoted(first.Path()) + " " + Quoted(other.Path()) + " third"), 1, 1);
    EXPECT_EQ(SnapshotTree(other.Path()), otherBefore);
}

}  // namespace
}  // namespace qm::test
