// The real tidyreel.exe in sorting mode over real folders, started and answered from this program.
// Each test sorts with a private copy of the executable, so that it owns the settings file beside it.

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <thread>

#include "support/driver.h"

namespace qm::test {

using namespace std::string_literals;

const std::string kDefaultSettings =
    "[Patterns]\r\nLimit=11\r\n0=480p\r\n1=576p\r\n2=720p\r\n3=1080p\r\n4=2160p\r\n5=XviD\r\n6=HEVC\r\n7=Rerip\r\n"
    "8=BDrip\r\n9=AAC\r\n10=DVDRip\r\n11=PDTV\r\n";
const std::string kReadingError = "Error!|ini file reading error!|OK";

void ExpectSummary(const TRunReport& report, int found, int moved) {
    ASSERT_TRUE(report.Clean() && report.Boxes.size() == 1) << report.Boxes.size() << " boxes";
    EXPECT_EQ(std::regex_replace(report.Boxes[0], std::regex("Needed: [ \\d]\\d\\.\\d{7} seconds"), "Needed"),
              "Quillmoors Tidyreel|Found: " + std::to_string(found) + " files\r\nMoved: " + std::to_string(moved) +
                  " files\r\nSkipped: " + std::to_string(found - moved) + " files\r\nNeeded|OK");
}

class SortingE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyFileA(TidyreelPath().c_str(), Exe().c_str(), TRUE)); }
    std::string Exe() const { return tool_ / "tidyreel.exe"; }
    std::string Settings() const { return tool_ / "tidyreel.ini"; }
    TRunReport Sort(const std::string& tail) const { return RunAnsweringBoxes({{Exe(), tail}})[0]; }
    TTempFolder tool_;
};

// Every kind of name in one folder: the file, and the season folder it goes to ("" where it stays).
const std::pair<std::string, std::string> kSample[] = {
    {"Show.Name.S01E01.Pilot.720p.HDTV.x264-GRP.mkv", "Show.Name.S01.720p.HDTV.x264-GRP"},
    {"Show.Name.S01E02.Second.Part.720p.HDTV.x264-GRP.mkv", "Show.Name.S01.720p.HDTV.x264-GRP"},
    {"show.name.s01e03.720p.mkv", "show.name.s01.720p"},
    {"Another.Show.S03E07.Title.PDTV.XviD-TEAM.avi", "Another.Show.S03.PDTV.XviD-TEAM"},
    {"Caf\xC3\x83\xC2\xA9.S01E02.mkv", "Caf\xC3\x83\xC2\xA9.S01"},  // CafÃ©: é encoded twice, a UTF-8 pair
    {"Hidden.S01E01.mkv", "Hidden.S01"},
    {"Dotted.S01E01.mkv.", "Dotted.S01"},  // a name Windows would trim, moved as it is
    {"Old.S01E02.mkv", "Old.S01"},         // into the folder of an earlier run
    {"README.txt", ""},
    {"\xD0\xA8\xD0\xBE\xD1\x83.S01E02.mkv", ""},      // not in the ANSI code page
    {"\xC5\x81\xC3\xB3\x64\xC5\xBA.S01E02.mkv", ""},  // best fit would make it Lodz
    {"Taken.S01", ""},                                // a file where the season folder belongs
    {"Taken.S01E01.mkv", ""},
    {"Dup.S01E01.mkv", ""},           // its season folder holds a file of that name
    {"Writing.S01E02.720p.mkv", ""},  // held by a downloader, written to with delete sharing
    {"Seeding.S01E01.mkv", ""},       // held for reading with delete sharing
    {"Firefox.S01E03.mkv", ""},       // the placeholder of a download still running:
    {"Firefox.S01E03.mkv.part", ""},
};

TEST_F(SortingE2E, SampleFolderLosesNothing) {
    // Deep, with a blank inside its path: the season folders' paths stay under the 248 characters a
    // folder can have, those of the episodes in them go beyond MAX_PATH.
    const TTempFolder temp;
    const std::string video = temp / ("Show \\" + std::string(200 - temp.Path().size(), 'd'));
    const auto in = [&](const std::string& name) { return video + "\\" + name; };
    TTree expected;
    int moved = 0;
    for (const auto& [name, folder] : kSample) {
        ASSERT_TRUE(WriteBytes(in(name), name));  // each file holds its own name: one replaced would show
        expected[folder.empty() ? name : folder + "\\" + name] = name;
        expected[folder] = "<dir>";
        moved += !folder.empty();
    }
    expected.erase("");
    // Sub-folders, those of an earlier run too, are never entered.
    const std::string lookAlike = "x\xEF\xBC\xBC..\xEF\xBC\xBCOld.S01";  // x＼..＼Old.S01; best fit: x\..\Old.S01
    for (const std::string& earlier : {"Old.S01\\Old.S01E01.mkv"s, "Dup.S01\\Dup.S01E01.mkv"s,
                                       "Extras\\Sub.S01E01.mkv"s, lookAlike + "\\Sub.S01E01.mkv"}) {
        ASSERT_TRUE(WriteBytes(in(earlier), "earlier"));
        expected[earlier] = "earlier";
        expected[earlier.substr(0, earlier.find('\\'))] = "<dir>";
    }
    ASSERT_TRUE(SetFileAttributesW(LongPath(in("Hidden.S01E01.mkv")).c_str(), FILE_ATTRIBUTE_HIDDEN));
    THolder holder(in("Writing.S01E02.720p.mkv"), in("Seeding.S01E01.mkv"));

    // No folder to sort (a file, missing, empty; further arguments ignored), not even its twin (a look-alike
    // of Old.S01, and Old.S01 with a blank after it): no box at all, but the settings file is written first.
    for (const std::string& tail : {Quoted(in(lookAlike)), Quoted(in("Old.S01 ")), Quoted(in("README.txt")),
                                    Quoted(in("no")) + " " + Quoted(video), "\"\""s}) {
        const TRunReport report = Sort(tail);
        EXPECT_TRUE(report.Clean() && report.Boxes.empty()) << tail;
    }
    EXPECT_EQ(ReadBytes(Settings()), kDefaultSettings);
    // Named with "..", the folder is sorted where its season folders are made.
    ExpectSummary(Sort(Quoted(in("Extras\\.."))), static_cast<int>(std::size(kSample)), moved);
    expected["Writing.S01E02.720p.mkv"] += holder.Release();  // every byte written, where it was written
    EXPECT_EQ(Snapshot(video), expected);

    // What stayed is found again, also through the long form, and the files no longer held move.
    ExpectSummary(Sort(Quoted("\\\\?\\" + video)), static_cast<int>(std::size(kSample)) - moved, 2);
    for (const auto& [file, folder] : {std::pair{"Writing.S01E02.720p.mkv"s, "Writing.S01.720p"s},
                                       std::pair{"Seeding.S01E01.mkv"s, "Seeding.S01"s}}) {
        expected[folder] = "<dir>";
        expected[folder + "\\" + file] = expected.extract(file).mapped();
    }
    EXPECT_EQ(Snapshot(video), expected);
    // The C library's walk, which removes the folder, would drop the blank and miss "Show ".
    MoveFileW(LongPath(temp / "Show ").c_str(), LongPath(temp / "Show").c_str());
}

TEST_F(SortingE2E, NoFolderOrUnreadableSettingsTouchNothing) {
    TTempFolder video;
    ASSERT_TRUE(WriteBytes(video / "Show.S01E01.720p.mkv", "x") && WriteBytes(Settings(), kDefaultSettings));
    // Held by another program for itself, longer than the run waits.
    const auto hold = [&] { return CreateFileA(Settings().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0); };
    HANDLE held = hold();
    EXPECT_EQ(Sort(Quoted(video.Path())).Boxes, std::vector<std::string>{kReadingError});
    CloseHandle(held);
    // A negative Limit loads no pattern, reported before the argument is looked at.
    ASSERT_TRUE(WriteBytes(Settings(), "[Patterns]\r\nLimit=-1\r\n"));
    EXPECT_EQ(Sort(Quoted(video / "no")).Boxes, std::vector<std::string>{kReadingError});
    // A folder where the settings file belongs.
    ASSERT_TRUE(DeleteFileA(Settings().c_str()) && CreateDirectoryA(Settings().c_str(), nullptr));
    const std::vector<std::string> missing = {"Error!|ini file is missing/creation/reading error!|OK"};
    EXPECT_EQ(Sort(Quoted(video.Path())).Boxes, missing);
    // A copy whose path the code page cannot hold: best fit would make Łódź the folder Lódz.
    const TTempFolder tool;
    const std::string exe = tool / "\xC5\x81\xC3\xB3\x64\xC5\xBA\\tidyreel.exe";
    ASSERT_TRUE(WriteBytes(exe, ReadBytes(TidyreelPath())) && WriteBytes(tool / "L\xC3\xB3\x64z\\x", "x"));
    EXPECT_EQ(RunAnsweringBoxes({{exe, Quoted(video.Path())}})[0].Boxes, missing);
    EXPECT_EQ(Snapshot(video.Path()), (TTree{{"Show.S01E01.720p.mkv", "x"}}));

    // Held for a moment only, as a sync client does: waited for, and read as ever.
    ASSERT_TRUE(RemoveDirectoryA(Settings().c_str()) && WriteBytes(Settings(), kDefaultSettings));
    held = hold();
    std::thread release([held] { Sleep(500), CloseHandle(held); });
    ExpectSummary(Sort(Quoted(video.Path())), 1, 1);
    release.join();
}

TEST_F(SortingE2E, StartedThroughALinkTheSettingsFileIsBesideTheProgram) {
    // winget starts a program through a link to it; Wine makes none, so the build made links\tidyreel.exe.
    const TTempFolder temp;
    const auto beside = [](const std::string& file) { return file.substr(0, file.rfind('\\') + 1) + "tidyreel.ini"; };
    std::string program = Exe(), link = temp / "tidyreel.exe";
    if (!MakeFileLink(link, program)) {
        program = TidyreelPath();
        link = program.substr(0, program.rfind('\\')) + "\\links\\tidyreel.exe";
        DeleteFileA(beside(program).c_str());
    }
    if (ReadBytes(link).empty()) {
        GTEST_SKIP() << "no symbolic link to the program here";  // the release candidate under Wine
    }
    EXPECT_TRUE(RunAnsweringBoxes({{link, Quoted(temp / "none")}})[0].Clean());
    EXPECT_EQ(ReadBytes(beside(program)) + "|" + ReadBytes(beside(link)), kDefaultSettings + "|");
}

TEST_F(SortingE2E, FirstRunsStartedTogetherAllReadTheWholeSettingsFile) {
    // One run per selected folder, all at once, before there is a settings file.
    for (int round = 0; round < 4; ++round) {
        DeleteFileA(Settings().c_str());
        std::array<TTempFolder, 8> folders;
        std::vector<std::pair<std::string, std::string>> runs;
        for (const TTempFolder& folder : folders) {
            ASSERT_TRUE(WriteBytes(folder / "A.S01E01.720p.mkv", "1") && WriteBytes(folder / "A.S01E02.PDTV.avi", "2"));
            runs.emplace_back(Exe(), Quoted(folder.Path()));
        }
        const std::vector<TRunReport> reports = RunAnsweringBoxes(runs);
        for (size_t i = 0; i < folders.size(); ++i) {
            ExpectSummary(reports[i], 2, 2);
            EXPECT_EQ(Snapshot(folders[i].Path()), (TTree{{"A.S01.720p", "<dir>"},
                                                          {"A.S01.720p\\A.S01E01.720p.mkv", "1"},
                                                          {"A.S01.PDTV", "<dir>"},
                                                          {"A.S01.PDTV\\A.S01E02.PDTV.avi", "2"}}));
        }
        EXPECT_EQ(ReadBytes(Settings()), kDefaultSettings);
        EXPECT_EQ(Snapshot(tool_.Path()).size(), 2u) << "a draft was left behind";
    }
}

}  // namespace qm::test
