// The folder-name rule and the move it gives each listed file, natively and under Wine.

#include <gtest/gtest.h>

#include "qm.API/convert.h"
#include "qm.API/dbcs.h"
#include "qm.API/path.h"
#include "sorter/move_target.h"

using namespace qm::sorter;
using qm::api::TStrArr;

namespace {

const TStrArr kDefaults = {u"480p", u"576p",  u"720p",  u"1080p", u"2160p",  u"XviD",
                           u"HEVC", u"Rerip", u"BDrip", u"AAC",   u"DVDRip", u"PDTV"};

TEST(DeriveTargetFolder, Names) {
    struct Case {
        std::string path;
        std::string folder;  // "-": the empty result
        TStrArr patterns = kDefaults;
    };
    const Case cases[] = {
        {"D:\\V\\Show.Name.S01E02.Pilot.720p.HDTV.x264-GRP.mkv", "D:\\V\\Show.Name.S01.720p.HDTV.x264-GRP"},
        {"D:\\V\\Show.Name.s01e02.720p.mkv", "D:\\V\\Show.Name.s01.720p"},  // the token's case is kept
        {"D:\\V\\Show.S01E02.Title.1080p.BluRay.x265-HEVC.mkv", "D:\\V\\Show.S01.1080p.BluRay.x265-HEVC"},
        {"D:\\V\\Show.S01E02.720P.mkv", "D:\\V\\Show.S01.720P"},
        {"D:\\V\\Show.S01E02.AAC2.0.mkv", "D:\\V\\Show.S01.AAC2.0"},  // the part contains the tag
        {"D:\\V\\Show.S01E02.720p.S01E03.mkv", "D:\\V\\Show.S01.720p.S01E03"},
        {"D:\\V\\Show.Name.S01E02.Episode.Title.mkv", "D:\\V\\Show.Name.S01.Episode.Title"},
        {"D:\\V\\Aachen.S01E02.Pilot.720p.mkv", "D:\\V\\Aachen.S01.Pilot.720p"},          // a tag in the title counts
        {"D:\\V\\Show.720p.S01E02.Title.1080p.mkv", "D:\\V\\Show.720p.S01.Title.1080p"},  // for nothing
        {"D:\\V\\Show.Name.S01E02.720p", "D:\\V\\Show.Name.S01"},                         // the last part is never used
        {"D:\\V\\Show.Name.S01E02", "D:\\V\\Show.Name"},
        {"D:\\V\\Show..S01E02.720p.mkv", "D:\\V\\Show..S01.720p"},
        {"D:\\V\\Show.S01E02.720p.mkv.", "D:\\V\\Show.S01.720p"},  // a trailing dot adds no part
        {"D:\\V\\Show.S-1E+2.mkv", "D:\\V\\Show.S-1"},
        {"D:\\V\\Show.SxAE$f.mkv", "D:\\V\\Show.SxA"},
        {"D:\\V\\Show.S01E02.Title.WEB.720p.mkv", "D:\\V\\Show.S01.WEB.720p", {u"", u"720p", u"web"}},
        {"D:\\V\\Show.S01E02.Title.mkv", "D:\\V\\Show.S01.Title", {u"S01E02", u"mkv", u"Show"}},
        {"C:Show.S01E02.mkv", "C:\\Show.S01"},
        {"Show.S01E02.mkv", "\\Show.S01"},
        {"D:\\V\\S01E02.Show.mkv", "-"},  // the token must not be the first part
        {"D:\\V\\Show.S1E2.mkv", "-"},
        {"D:\\V\\Show.S01E02E03.mkv", "-"},
        {"D:\\V\\Show.S01X02.mkv", "-"},
        {"D:\\V\\Show.S0xE02.mkv", "-"},
        {"D:\\V\\Show.S%2E02.mkv", "-"},
        {"D:\\S01E02.x\\Show.mkv", "-"},  // only the name counts
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeriveTargetFolder(c.path, c.patterns), c.folder == "-" ? "" : c.folder) << c.path;
    }
}

TEST(MoveTargetOf, FilesThatMoveAndFilesThatStay) {
    struct Case {
        std::u16string entry;
        std::u16string target;  // empty: the file stays
    };
    const Case cases[] = {
        {u"D:\\V\\Show.S01E02.720p.mkv", u"\\\\?\\D:\\V\\Show.S01.720p\\Show.S01E02.720p.mkv"},
        {u"\\\\nas\\tv\\Show.S01E02.mkv", u"\\\\?\\UNC\\nas\\tv\\Show.S01\\Show.S01E02.mkv"},
        {u"Video\\Show.S01E02.mkv", u"Video\\Show.S01\\Show.S01E02.mkv"},  // relative: no prefix
        {u"\\\\?\\D:\\Show.S01E02.mkv", u"\\\\?\\D:\\Show.S01\\Show.S01E02.mkv"},
        {u"D:\\V\\Caf\u00E9.S01E02.mkv", u"\\\\?\\D:\\V\\Caf\u00E9.S01\\Caf\u00E9.S01E02.mkv"},
        {u"D:\\V\\CONAN.S01E02.mkv", u"\\\\?\\D:\\V\\CONAN.S01\\CONAN.S01E02.mkv"},
        {u"D:\\V\\README.txt", u""},
        {u"D:\\V\\.S01E02", u""},  // no folder name at all
        {u"D:\\V\\...S01E02", u""},
        {u"D:\\V\\Show.S01E02..mkv", u""},
        {u"D:\\V\\Show .S01E02", u""},
        {u"D:\\V\\lpt1.S01E02.mkv", u""},
        {u"D:\\V\\\u0428\u043E\u0443.S01E02.mkv", u""},  // not in the code page
        {u"D:\\V\\Show.S01E02.\u041F\u0438\u043B\u043E\u0442.720p.mkv", u""},
        {u"D:\\V\\\u0141\u00F3d\u017A.S01E02.mkv", u""},  // best fit would rename it
    };
    for (const auto& c : cases) {
        const auto move = MoveTargetOf(c.entry, kDefaults);
        EXPECT_EQ(move ? move->Target : u"", c.target) << qm::api::ToAnsi(c.entry);
    }
    const auto move = MoveTargetOf(u"\\\\nas\\tv\\Show.S01E02.mkv", kDefaults);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->Folder, "\\\\nas\\tv\\Show.S01\\");
    EXPECT_EQ(move->Source, u"\\\\?\\UNC\\nas\\tv\\Show.S01E02.mkv");
}

TEST(MoveTargetOf, TrailByteWithTheBackslashsCode) {
    // Shift-JIS-like lead bytes: U+8868 is 0x95 0x5C. The folder lies in the file's own folder and
    // the file keeps its name.
    const qm::api::TDbcsState saved = qm::api::Dbcs;
    qm::api::Dbcs.DbcsEnabled = true;
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
    qm::api::MarkLeadByteRanges(ranges);
    const auto move = MoveTargetOf(u"D:\\V\\\u8868.S01E02.mkv", "D:\\V\\\x95\\.S01E02.mkv", PreparePatterns({}));
    EXPECT_EQ(qm::api::DirOfPath("D:\\V\\\x95\\"), "D:\\V\\");
    qm::api::Dbcs = saved;
    ASSERT_TRUE(move);
    EXPECT_EQ(move->Target, u"\\\\?\\D:\\V\\.S01\\\u8868.S01E02.mkv");
}

}  // namespace
