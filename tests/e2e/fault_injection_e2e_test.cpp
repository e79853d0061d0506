// Faults injected into real sorting runs of tidyreel.exe: files that vanish or are renamed while
// the run lasts, paths near and beyond 260 characters, and settings files that cannot be read or
// hold junk. Every case checks the invariant: nothing lost, overwritten, renamed or changed.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/settings.h"
#include "e2e/sorting_checks.h"
#include "qm.API/files.h"
#include "sorter/move_target.h"

namespace qm::test {
namespace {

class FaultInjectionE2E : public TSortingRunFixture {};

std::u16string U16(const std::string& utf8) {
    const std::wstring wide = Wide(utf8);
    return std::u16string(wide.begin(), wide.end());
}

std::string Utf8Of(const std::u16string& text) {
    return Utf8(std::wstring(text.begin(), text.end()));
}

std::string NameOfEntry(const std::u16string& entry) {
    return Utf8Of(entry.substr(entry.find_last_of(u'\\') + 1));
}

// A folder below root whose path is exactly `length` characters long, made level by level in the
// \\?\ form (the plain form stops at 260 characters).
std::string MakeDeepFolder(const TTempFolder& root, size_t length) {
    std::string path = root.Path();
    while (path.size() < length) {
        const size_t level = std::min<size_t>(length - path.size() - 1, 100);
        path += '\\';
        path += std::string(level, 'd');
        if (!CreateDirectoryW((L"\\\\?\\" + Wide(path)).c_str(), nullptr)) {
            return {};
        }
    }
    return path;
}

// Files made in the \\?\ form, each holding its own name.
void MakeFilesIn(const std::string& folder, const std::vector<std::string>& names) {
    for (const auto& name : names) {
        std::string path = "\\\\?\\";
        path += folder;
        path += '\\';
        path += name;
        ASSERT_TRUE(WriteBytes(path, name)) << name;
    }
}

// Another program deletes some files and renames others while the run goes through the folder.
// The run visits its listing from the last entry to the first, so the first entries are reached
// last: as soon as the first season folder appears, the test removes or renames entries from the
// start of the same listing, long before the run gets there. A file removed is counted as
// skipped, a file renamed stays under its new name, and every other file is sorted as usual.
TEST_F(FaultInjectionE2E, FilesRemovedOrRenamedWhileTheRunLastsAreSkipped) {
    TTempFolder video;
    std::vector<std::string> names;
    for (int series = 0; series < 30; ++series) {
        for (int episode = 1; episode <= 90; ++episode) {
            char name[96];
            std::snprintf(name, sizeof name, "Series%02d.Name.S%02dE%02d.Title.720p.HDTV.x264-GRP.mkv", series,
                          1 + episode % 3, episode);
            names.push_back(name);
        }
    }
    for (int other = 0; other < 300; ++other) {
        std::string name = "notes-";
        name += std::to_string(other);
        name += ".txt";
        names.push_back(name);
    }
    MakeFilesIn(video.Path(), names);

    // The run's own listing, in its order.
    const qm::api::TStrArr listing = qm::api::ListFiles(U16(video.Path()), u"*.*", false);
    ASSERT_EQ(listing.size(), names.size());
    std::vector<std::string> episodes;  // in listing order
    for (const auto& entry : listing) {
        if (qm::sorter::MoveTargetOf(entry, DefaultPatternList())) {
            episodes.push_back(NameOfEntry(entry));
        }
    }
    ASSERT_EQ(episodes.size(), 2700u);
    const auto firstMove = qm::sorter::MoveTargetOf(U16(video / episodes.back()), DefaultPatternList());
    ASSERT_TRUE(firstMove);
    const std::u16string firstFolder = firstMove->Target.substr(0, firstMove->Target.find_last_of(u'\\'));

    TSortInvariant invariant = Before(video.Path());
    TRunReport report;
    std::thread run([&] { report = Sort(Quoted(video.Path()), 120000); });

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (GetFileAttributesW(reinterpret_cast<const wchar_t*>(firstFolder.c_str())) == INVALID_FILE_ATTRIBUTES &&
           std::chrono::steady_clock::now() < deadline) {
        Sleep(1);
    }
    int removed = 0;
    int renamed = 0;
    for (size_t i = 0; i < 60; ++i) {
        const std::string path = video / episodes[i];
        std::string newName = "Renamed.";
        newName += episodes[i];
        if (i % 2 == 0) {
            if (DeleteFileW(Wide(path).c_str())) {
                invariant.Removed(episodes[i]);
                ++removed;
            }
        } else if (MoveFileW(Wide(path).c_str(), Wide(video / newName).c_str())) {
            invariant.Renamed(episodes[i], newName);
            ++renamed;
        }
    }
    run.join();

    // Each of them was still waiting for its turn: the run had not reached the start of its list.
    EXPECT_EQ(removed, 30);
    EXPECT_EQ(renamed, 30);
    ExpectSummary(report, static_cast<int>(names.size()), 2700 - 60);
    ExpectInvariant(invariant, report);
}

// A season folder path the 8-bit folder creation can hold is made and used; a longer one is not,
// and its file stays. The listing and the moves take the long form and reach both files.
TEST_F(FaultInjectionE2E, FolderPathNear260Characters) {
    TTempFolder root;
    const std::string video = MakeDeepFolder(root, 236);
    ASSERT_EQ(video.size(), 236u);
    // Season folder paths of 242 and 264 characters; the file paths are 249 and 271 long.
    MakeFilesIn(video, {"A.S01E01.mkv", "Longer.Series.Name.S01E01.720p.mkv"});
    const TSortInvariant invariant(video, DefaultPatternList(), {root.Path(), Beside()});

    const TRunReport report = Sort(Quoted(video));
    ExpectSummary(report, 2, 1);
    ExpectInvariant(invariant, report);
    const TTreeState after = CaptureTree(video);
    EXPECT_EQ(after.count("A.S01\\A.S01E01.mkv"), 1u);
    EXPECT_EQ(after.count("Longer.Series.Name.S01E01.720p.mkv"), 1u);
}

// A folder argument beyond 260 characters is no existing folder to the 8-bit test of the argument:
// the run ends without a word and touches nothing.
TEST_F(FaultInjectionE2E, FolderPathOver260CharactersIsLeftAlone) {
    TTempFolder root;
    const std::string video = MakeDeepFolder(root, 270);
    ASSERT_EQ(video.size(), 270u);
    MakeFilesIn(video, {"A.S01E01.mkv", "README.txt"});
    const TSortInvariant invariant(video, DefaultPatternList(), {root.Path(), Beside()});

    const TRunReport report = Sort(Quoted(video));
    ExpectEndedWithBoxes(report, 0);
    ExpectInvariant(invariant, report);
    EXPECT_EQ(invariant.Check().Stayed, 2u);
}

// A 240-character name moves into a short season folder through the long form of its paths; a
// 240-character name whose season folder would need as many characters stays.
TEST_F(FaultInjectionE2E, FileNamesOf240Characters) {
    TTempFolder video;
    std::string titled = "Show.Name.S01E02";
    while (titled.size() < 240 - 14) {
        titled += ".Word";
    }
    titled.resize(240 - 14);
    titled += ".720p.HDTV.mkv";
    std::string untitled = "Long.S01E02";
    while (untitled.size() < 240 - 4) {
        untitled += ".Word";
    }
    untitled.resize(240 - 4);
    untitled += ".mkv";
    ASSERT_EQ(titled.size(), 240u);
    ASSERT_EQ(untitled.size(), 240u);
    MakeFilesIn(video.Path(), {titled, untitled});
    const TSortInvariant invariant = Before(video.Path());

    const TRunReport report = Sort(Quoted(video.Path()));
    ExpectSummary(report, 2, 1);
    ExpectInvariant(invariant, report);
    std::string moved = "Show.Name.S01.720p.HDTV\\";
    moved += titled;
    EXPECT_EQ(CaptureTree(video.Path()).count(moved), 1u);
}

// Deterministic bytes of every value, line breaks, brackets and equals signs among them.
std::string Junk(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (auto& byte : bytes) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        byte = static_cast<char>(seed >> 24);
    }
    return bytes;
}

// A settings section in the middle of junk of the given total size.
std::string JunkAround(const std::string& section, size_t size) {
    std::string bytes = Junk(size / 2, 7);
    bytes += section;
    bytes += Junk(size / 2, 9);
    return bytes;
}

// Settings files that cannot be read or make no sense: the run still ends, with its summary, and
// sorts by whatever pattern list the file gives (the test reads it the same way); the settings
// file is never rewritten.
TEST_F(FaultInjectionE2E, SettingsFilesThatAreUnreadableOrJunk) {
    const size_t tenMegabytes = 10 * 1024 * 1024;
    struct Case {
        const char* why;
        std::string settings;
        bool held;  // open in another program without any sharing
    };
    const Case cases[] = {
        {"10 MB of junk", Junk(tenMegabytes, 5), false},
        {"a Patterns section with the highest Limit amid 10 MB of junk",
         JunkAround("\r\n[Patterns]\r\nLimit=2147483647\r\n0=720p\r\n", tenMegabytes), false},
        {"the highest Limit", "[Patterns]\r\nLimit=2147483647\r\n0=720p\r\n1=HDTV\r\n", false},
        {"a file no other program may read", kDefaultSettings, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TTempFolder video;
        MakeFiles(video, {"Show.S01E01.Pilot.720p.HDTV.mkv", "Show.S01E02.Title.HDTV.x264.mkv", "README.txt"});
        ASSERT_TRUE(WriteBytes(SettingsFile(), c.settings));
        auto held = c.held ? std::make_unique<THeldFile>(SettingsFile(), 0) : nullptr;
        ASSERT_TRUE(!held || held->Held());
        const TSortInvariant invariant = Before(video.Path(), qm::app::LoadPatternList(SettingsFile()));

        const auto start = std::chrono::steady_clock::now();
        const TRunReport report = Sort(Quoted(video.Path()), 120000);
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(ReadSummary(report).Found, 3);
        ExpectInvariant(invariant, report);
        EXPECT_LT(seconds, 60.0);
        held.reset();
        EXPECT_EQ(ReadBytes(SettingsFile()), c.settings) << "never rewritten";
    }
}

}  // namespace
}  // namespace qm::test
