// Which listed files are moved, and where to: natively against the Windows-1252 stand-in and
// under Wine against code page 1252.

#include <gtest/gtest.h>

#include "qm.API/convert.h"
#include "qm.API/dbcs.h"
#include "qm.API/strarr.h"
#include "sorter/move_target.h"

#include <string>

using namespace qm::sorter;
using qm::api::TStrArr;

namespace {

const TPatternSet kPatterns = PreparePatterns(TStrArr{u"720p", u"HEVC"});

TEST(MoveTargetOf, PathsOfAMove) {
    const auto move = MoveTargetOf(u"D:\\Video\\Show.S01E02.Pilot.720p.mkv", kPatterns);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->Folder, "D:\\Video\\Show.S01.720p\\");
    EXPECT_EQ(move->Source, u"\\\\?\\D:\\Video\\Show.S01E02.Pilot.720p.mkv");
    EXPECT_EQ(move->Target, u"\\\\?\\D:\\Video\\Show.S01.720p\\Show.S01E02.Pilot.720p.mkv");
}

TEST(LongPathOf, EachKindOfFolderGetsAFormTheMoveCanUse) {
    struct Case {
        std::u16string path;
        std::u16string longForm;
        const char* why;
    };
    const Case cases[] = {
        {u"D:\\Video\\a.mkv", u"\\\\?\\D:\\Video\\a.mkv", "drive path: the prefix lifts the length limit"},
        {u"d:\\a.mkv", u"\\\\?\\d:\\a.mkv", "drive root, lower-case letter"},
        {u"\\\\nas\\tv\\a.mkv", u"\\\\?\\UNC\\nas\\tv\\a.mkv", "network share: the prefix alone names nothing"},
        {u"\\\\?\\D:\\a.mkv", u"\\\\?\\D:\\a.mkv", "already long: not prefixed twice"},
        {u"\\\\?\\UNC\\nas\\tv\\a.mkv", u"\\\\?\\UNC\\nas\\tv\\a.mkv", "already long network path"},
        {u"Video\\a.mkv", u"Video\\a.mkv", "relative: resolved by the platform, not by the prefix"},
        {u"\\Video\\a.mkv", u"\\Video\\a.mkv", "root of the current drive"},
        {u"D:Video\\a.mkv", u"D:Video\\a.mkv", "relative to drive D's current folder"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LongPathOf(c.path), c.longForm) << c.why;
    }
}

TEST(MoveTargetOf, NetworkAndRelativeFoldersGetUsablePaths) {
    const auto network = MoveTargetOf(u"\\\\nas\\tv\\Show.S01E02.720p.mkv", kPatterns);
    ASSERT_TRUE(network.has_value());
    EXPECT_EQ(network->Folder, "\\\\nas\\tv\\Show.S01.720p\\");
    EXPECT_EQ(network->Source, u"\\\\?\\UNC\\nas\\tv\\Show.S01E02.720p.mkv");
    EXPECT_EQ(network->Target, u"\\\\?\\UNC\\nas\\tv\\Show.S01.720p\\Show.S01E02.720p.mkv");

    const auto relative = MoveTargetOf(u"Video\\Show.S01E02.720p.mkv", kPatterns);
    ASSERT_TRUE(relative.has_value());
    EXPECT_EQ(relative->Source, u"Video\\Show.S01E02.720p.mkv");
    EXPECT_EQ(relative->Target, u"Video\\Show.S01.720p\\Show.S01E02.720p.mkv");
}

TEST(MoveTargetOf, FilesThatStay) {
    struct Case {
        std::u16string name;
        const char* why;
    };
    const Case cases[] = {
        {u"README.txt", "no episode token"},
        {u"S01E02.Show.mkv", "the episode token is the first part"},
        // Folder names Windows cannot hold as named.
        {u".S01E02", "empty folder name: the file would be moved onto itself"},
        {u"..S01E02", "the folder name . is the folder itself"},
        {u"...S01E02", "the folder name .. is the parent folder"},
        {u"Show.S01E02..mkv", "Show.S01. ends in a dot"},
        {u"Show .S01E02", "Show  ends in a space"},
        {u"CON.S01E02.mkv", "CON.S01 is the console device"},
        {u"lpt1.S01E02.mkv", "any case"},
        // Names that do not survive the trip to the ANSI code page and back.
        {u"\u0428\u043E\u0443.S01E02.720p.mkv", "Cyrillic title"},
        {u"Show.S01E02.\u041F\u0438\u043B\u043E\u0442.720p.mkv", "Cyrillic in the dropped title only"},
        {u"\u0141\u00F3d\u017A.S01E02.mkv", "best-fit letters would rename the file"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(MoveTargetOf(u"D:\\Video\\" + c.name, kPatterns).has_value()) << c.why;
    }
}

TEST(MoveTargetOf, NamesThatMove) {
    struct Case {
        std::u16string name;
        std::string folder;
        const char* why;
    };
    const Case cases[] = {
        {u"Show.S01E02", "Show", "the episode token is the last part"},
        {u"Show..S01E02.720p.mkv", "Show..S01.720p", "inner empty parts are fine"},
        {u".Show.S01E02.mkv", ".Show.S01", "a leading dot is fine"},
        {u"Caf\u00E9.S01E02.mkv", "Caf\xE9.S01", "a character of the code page travels"},
        {u"CONAN.S01E02.mkv", "CONAN.S01", "only the exact device names are reserved"},
    };
    for (const auto& c : cases) {
        const auto move = MoveTargetOf(u"D:\\Video\\" + c.name, kPatterns);
        ASSERT_TRUE(move.has_value()) << c.why;
        EXPECT_EQ(move->Folder, "D:\\Video\\" + c.folder + "\\") << c.why;
        EXPECT_EQ(move->Target, u"\\\\?\\" + qm::api::ToUtf16(move->Folder) + c.name) << c.why;
    }
}

// A Shift-JIS-like code page, where the second byte of a double-byte character can have the
// backslash's code: U+8868 is 0x95 0x5C there.
class DbcsMoveTarget : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = qm::api::Dbcs;
        qm::api::Dbcs = qm::api::TDbcsState{};
        qm::api::Dbcs.DbcsEnabled = true;
        const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
        qm::api::MarkLeadByteRanges(ranges);
    }
    void TearDown() override { qm::api::Dbcs = saved_; }

private:
    qm::api::TDbcsState saved_;
};

TEST_F(DbcsMoveTarget, TrailByteWithBackslashCodeKeepsTheFileName) {
    // The rule sees the name cut after the trail byte and names the folder from that rest; the
    // file still goes into a folder of its own directory under the name it has on disk.
    const std::u16string entry = u"D:\\Video\\\u8868.S01E02.mkv";
    const auto move = MoveTargetOf(entry, "D:\\Video\\\x95\\.S01E02.mkv", kPatterns);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->Folder, "D:\\Video\\.S01\\");
    EXPECT_EQ(move->Target, u"\\\\?\\D:\\Video\\.S01\\\u8868.S01E02.mkv");
}

}  // namespace
