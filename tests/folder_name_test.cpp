// The folder-name rule and the move it gives each listed file, natively and under Wine.

#include <gtest/gtest.h>

#include "qm.API/convert.h"
#include "sorter/move_target.h"
#include "support/shift_jis.h"

using namespace qm::sorter;
using qm::api::TStrArr;

const TStrArr kDefaults = {u"480p", u"576p",  u"720p",  u"1080p", u"2160p",  u"XviD",
                           u"HEVC", u"Rerip", u"BDrip", u"AAC",   u"DVDRip", u"PDTV"};

TEST(DeriveTargetFolder, Names) {
    struct Case {
        std::string name, folder;  // a file in D:\V, and its season folder there
        TStrArr patterns = kDefaults;
    };
    const Case cases[] = {
        {"Show.Name.S01E02.Pilot.720p.HDTV.x264-GRP.mkv", "Show.Name.S01.720p.HDTV.x264-GRP"},
        {"Show.Name.s01e02.Title.720p.mkv", "Show.Name.s01.720p"},  // case kept; the tag last but one
        {"Show.S01E02.720P.AAC2.0.mkv", "Show.S01.720P.AAC2.0"},    // a part holding the tag, in any case
        {"Show.S01E02.720p.S01E03.mkv", "Show.S01.720p.S01E03"},
        {"Aachen.S01E02.Pilot.720p.mkv", "Aachen.S01.Pilot.720p"},          // a tag in the title counts
        {"Show.720p.S01E02.Title.1080p.mkv", "Show.720p.S01.Title.1080p"},  // for nothing
        {"Show.Name.S00E02.720p", "Show.Name.S00"},                         // a special; the last part is never used
        {"Show.Name.S01E02", "Show.Name"},
        {"Show..S01E02.720p.mkv.", "Show..S01.720p"},  // empty parts stay; a trailing dot adds none
        {"Show.S-1E+2.mkv", "Show.S-1"},
        {"Show.SxAE$f.mkv", "Show.SxA"},
        {"Show.S01E02.Title.WEB.720p.mkv", "Show.S01.WEB.720p", {u"", u"720p", u"web"}},
        {"Show.S01E02.Title.mkv", "Show.S01.Title", {u"S01E02", u"mkv", u"Show"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeriveTargetFolder("D:\\V\\" + c.name, c.patterns), "D:\\V\\" + c.folder) << c.name;
    }
    for (const char* name : {"S01E02.Show.mkv", "Show.S1E2.mkv", "Show.S01E02E03.mkv", "Show.S01X02.mkv",
                             "Show.S0xE02.mkv", "Show.S%2E02.mkv", "S01E02.x\\Show.mkv"}) {
        EXPECT_EQ(DeriveTargetFolder(std::string("D:\\V\\") + name, kDefaults), "") << name;
    }
    EXPECT_EQ(DeriveTargetFolder("C:Show.S01E02.mkv", kDefaults) + DeriveTargetFolder("Show.S01E02.mkv", kDefaults),
              "C:\\Show.S01\\Show.S01");
}

TEST(MoveTargetOf, FilesThatMoveAndFilesThatStay) {
    // Both paths in the long form, bound by no length; the name kept to its last dot or blank; a
    // prefixed folder keeps its namespace, since a target relative to the current folder is another file.
    const std::u16string title(300, u't'), volume = u"\\\\?\\Volume{26a21bda-a627-11d7-9931-806e6f6e6963}\\",
                                           root = u"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume3\\";
    const std::pair<std::u16string, std::u16string> moves[] = {
        {u"D:\\V\\Show.S01E02." + title + u".720p.mkv",
         u"\\\\?\\D:\\V\\Show.S01.720p\\Show.S01E02." + title + u".720p.mkv"},
        {u"\\\\nas\\tv\\Show.S01E02.mkv.", u"\\\\?\\UNC\\nas\\tv\\Show.S01\\Show.S01E02.mkv."},
        {u"Video\\Show.S01E02.mkv ", u"Video\\Show.S01\\Show.S01E02.mkv "},
        {volume + u"A.S01E02.mkv", volume + u"A.S01\\A.S01E02.mkv"},
        {root + u"A.S01E02.mkv", root + u"A.S01\\A.S01E02.mkv"},
        {u"\\\\.\\D:\\TV\\A.S01E02.mkv", u"\\\\.\\D:\\TV\\A.S01\\A.S01E02.mkv"},
    };
    for (const auto& [entry, target] : moves) {
        const auto move = MoveTargetOf(entry, kDefaults);
        EXPECT_EQ(move ? move->Target : u"", target);
        // The file is opened in the same form, from the target's parent folder.
        EXPECT_TRUE(move && target.starts_with(move->Source.substr(0, move->Source.rfind(u'\\') + 1)));
    }
    // No name, ".", "..", a device; names the code page cannot hold; downloads still running, in any case.
    for (const std::u16string name :
         {u"README.txt", u".S01E02", u"..S01E02", u"...S01E02", u"Show.S01E02..mkv", u"Show .S01E02",
          u"lpt1.S01E02.mkv", u"\u0428\u043E\u0443.S01E02.mkv", u"Show.S01E02.\u041F\u0438\u043B\u043E\u0442.720p.mkv",
          u"\u0141\u00F3d\u017A.S01E02.mkv"}) {
        EXPECT_FALSE(MoveTargetOf(u"D:\\V\\" + name, kDefaults)) << qm::api::ToAnsi(name);
    }
    for (const std::u16string suffix : {u"part", u"PARTIAL", u"crDownload", u"Download", u"!qB", u"!UT", u"!bt",
                                        u"opdownload", u"aria2", u"BC!", u"Bt!", u"fB!", u"!Sync", u"dcTMP"}) {
        EXPECT_FALSE(MoveTargetOf(u"D:\\V\\A.S01E02.mkv." + suffix, kDefaults)) << qm::api::ToAnsi(suffix);
    }
    // X stays while X.<partial suffix> lies beside it; a name that only begins like X moves.
    const TStrArr listing = {u"D:\\V\\A.S01E01.mkv",       u"D:\\V\\a.s01e01.MKV.Part", u"D:\\V\\B.S01E02.mkv",
                             u"D:\\V\\B.S01E02.mkv.aria2", u"D:\\V\\C.S01E03.mkv",      u"D:\\V\\C.S01E03.part"};
    std::u16string moved;
    for (const auto& entry : listing) {
        moved += MoveTargetOf(entry, PreparePatterns(kDefaults), PlaceholdersIn(listing)) ? entry : u"";
    }
    EXPECT_EQ(moved, u"D:\\V\\C.S01E03.mkv");
}

TEST(MoveTargetOf, TrailByteWithTheBackslashsCode) {
    // Shift-JIS second bytes with the codes of '\' (能 94 5C, ソ 83 5C, 表 95 5C) and 'a' (ヂ 83 61)
    // neither separate nor start a tag, nor are they folded: 修 (8F 43) and 縦 (8F 63) differ.
    const qm::test::TShiftJisScope sjis;
    const std::string mu = "\x96\xB3\x8F\x43\x90\xB3", tate = "\x96\xB3\x8F\x63\x90\xB3";  // 無修正, 無縦正
    const std::tuple<std::string, std::string, TStrArr> cases[] = {
        {"D:\\V\\\x94\\.S01E01.720p.mkv", "D:\\V\\\x94\\.S01.720p\\", kDefaults},
        {"D:\\V\\\x83\\\x81[\x83g.S01E01.Title.720p.mkv", "D:\\V\\\x83\\\x81[\x83g.S01.720p\\", kDefaults},
        {"D:\\V\\Show.S01E02.\x95\\.mkv", "D:\\V\\Show.S01.\x95\\\\", kDefaults},
        {"D:\\V\\Show.S01E02.Title.\x83\x61\x61\x63.mkv", "D:\\V\\Show.S01.Title.\x83\x61\x61\x63\\", kDefaults},
        {"D:\\V\\Show.S01E02.Title." + tate + ".mkv", "D:\\V\\Show.S01.Title." + tate + "\\", {qm::api::ToUtf16(mu)}},
        {"D:\\V\\Show.S01E02.Title." + mu + ".mkv", "D:\\V\\Show.S01.Title." + mu + "\\", {qm::api::ToUtf16(tate)}},
    };
    for (const auto& [path, folder, patterns] : cases) {
        const auto move = MoveTargetOf(qm::api::ToUtf16(path), path, PreparePatterns(patterns));
        EXPECT_EQ(move ? move->Folder : "", folder) << path;
    }
}
