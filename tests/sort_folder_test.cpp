// The season-folder steps of the folder scan against Wine's real file system: the shortcuts they
// take must come to what making the folder first and then moving comes to.

#include <windows.h>

#include <gtest/gtest.h>

#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "sorter/sort_folder.h"
#include "support/temp_folder.h"

#include <string>
#include <unordered_set>

using namespace qm::sorter;
using qm::api::IsExistingFolder;
using qm::test::ReadBytes;
using qm::test::TTempFolder;
using qm::test::WriteBytes;

namespace {

const TPatternSet kPatterns = PreparePatterns({u"720p"});

TMoveTarget MoveOf(const std::string& path) {
    const auto move = MoveTargetOf(qm::api::ToUtf16(path), kPatterns);
    EXPECT_TRUE(move.has_value()) << path;
    return move.value_or(TMoveTarget{});
}

TEST(MakeSeasonFolder, SameOutcomeAsMakingThePath) {
    TTempFolder temp;
    ASSERT_TRUE(WriteBytes(temp / "Taken.S01", "a file, not a folder"));
    struct Case {
        std::string folder;
        bool result;
        bool exists;  // a folder at the path afterwards
        const char* why;
    };
    const Case cases[] = {
        {temp / "Show.S01\\", true, true, "new: created"},
        {temp / "Show.S01\\", true, true, "there already"},
        {temp / "Taken.S01\\", false, false, "a file bears the name"},
        {temp / "New\\Show.S01\\", true, true, "missing parents are made as well"},
        {temp / (std::string(240, 'A') + "\\"), false, false, "too long for the 8-bit creation"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeSeasonFolder(c.folder), c.result) << c.why;
        EXPECT_EQ(IsExistingFolder(c.folder), c.exists) << c.why;
    }
    EXPECT_EQ(ReadBytes(temp / "Taken.S01"), "a file, not a folder");
}

TEST(MoveIntoSeasonFolder, FilesOfOneFolder) {
    TTempFolder temp;
    ASSERT_TRUE(WriteBytes(temp / "Show.S01E01.720p.mkv", "1"));
    ASSERT_TRUE(WriteBytes(temp / "Show.S01E02.720p.mkv", "2"));
    std::unordered_set<std::string> seen;
    EXPECT_TRUE(MoveIntoSeasonFolder(MoveOf(temp / "Show.S01E01.720p.mkv"), seen));
    EXPECT_TRUE(MoveIntoSeasonFolder(MoveOf(temp / "Show.S01E02.720p.mkv"), seen));
    EXPECT_EQ(ReadBytes(temp / "Show.S01.720p\\Show.S01E01.720p.mkv"), "1");
    EXPECT_EQ(ReadBytes(temp / "Show.S01.720p\\Show.S01E02.720p.mkv"), "2");
}

TEST(MoveIntoSeasonFolder, FolderGoneSinceItsFirstFileIsMadeAgain) {
    TTempFolder temp;
    ASSERT_TRUE(WriteBytes(temp / "Show.S01E01.720p.mkv", "1"));
    ASSERT_TRUE(WriteBytes(temp / "Show.S01E02.720p.mkv", "2"));
    std::unordered_set<std::string> seen;
    ASSERT_TRUE(MoveIntoSeasonFolder(MoveOf(temp / "Show.S01E01.720p.mkv"), seen));
    qm::test::RemoveTree(temp / "Show.S01.720p");
    ASSERT_FALSE(IsExistingFolder(temp / "Show.S01.720p"));

    EXPECT_TRUE(MoveIntoSeasonFolder(MoveOf(temp / "Show.S01E02.720p.mkv"), seen));
    EXPECT_EQ(ReadBytes(temp / "Show.S01.720p\\Show.S01E02.720p.mkv"), "2");
}

TEST(MoveIntoSeasonFolder, NothingIsReplaced) {
    TTempFolder temp;
    ASSERT_TRUE(WriteBytes(temp / "Show.S01E01.720p.mkv", "1"));
    ASSERT_TRUE(WriteBytes(temp / "Show.S01E02.720p.mkv", "new"));
    ASSERT_TRUE(WriteBytes(temp / "Taken.S01E01.720p.mkv", "t"));
    std::unordered_set<std::string> seen;
    ASSERT_TRUE(MoveIntoSeasonFolder(MoveOf(temp / "Show.S01E01.720p.mkv"), seen));
    ASSERT_TRUE(WriteBytes(temp / "Show.S01.720p\\Show.S01E02.720p.mkv", "old"));
    // The folder was seen in this run: the second file meets a target of its name.
    EXPECT_FALSE(MoveIntoSeasonFolder(MoveOf(temp / "Show.S01E02.720p.mkv"), seen));
    EXPECT_EQ(ReadBytes(temp / "Show.S01E02.720p.mkv"), "new");
    EXPECT_EQ(ReadBytes(temp / "Show.S01.720p\\Show.S01E02.720p.mkv"), "old");

    // A folder seen in this run whose name a file has taken since.
    seen.insert(MoveOf(temp / "Taken.S01E01.720p.mkv").Folder);
    ASSERT_TRUE(WriteBytes(temp / "Taken.S01.720p", "a file"));
    EXPECT_FALSE(MoveIntoSeasonFolder(MoveOf(temp / "Taken.S01E01.720p.mkv"), seen));
    EXPECT_EQ(ReadBytes(temp / "Taken.S01E01.720p.mkv"), "t");
    EXPECT_EQ(ReadBytes(temp / "Taken.S01.720p"), "a file");
}

}  // namespace
