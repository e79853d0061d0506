// The folder-name rule, natively and under Wine.

#include <gtest/gtest.h>

#include "qm.API/strarr.h"
#include "sorter/folder_name.h"

#include <string>

using namespace qm::sorter;
using qm::api::TStrArr;

namespace {

const TStrArr kDefaults = {u"480p", u"576p",  u"720p",  u"1080p", u"2160p",  u"XviD",
                           u"HEVC", u"Rerip", u"BDrip", u"AAC",   u"DVDRip", u"PDTV"};

struct NameCase {
    std::string file;
    std::string folder;  // the folder name; "-" for the empty result
    const char* why;
};

// Every file lies in D:\Video; the full result is D:\Video\ followed by the folder name.
const NameCase kNameCases[] = {
    {"Show.Name.S01E02.Pilot.720p.HDTV.x264-GRP.mkv", "Show.Name.S01.720p.HDTV.x264-GRP", "episode title dropped"},
    {"Show.Name.s01e02.720p.mkv", "Show.Name.s01.720p", "season tag keeps the file's case"},
    {"Show.S01E02.Title.1080p.BluRay.x265-HEVC.mkv", "Show.S01.1080p.BluRay.x265-HEVC", "first matching part wins"},
    {"Show.Name.S01E02.Part.1.720p.HDTV.mkv", "Show.Name.S01.720p.HDTV", "parts 3 and 4 dropped"},
    {"Show.S01E02.720P.mkv", "Show.S01.720P", "containment ignores case, the copy keeps it"},
    {"Show.S01E02.AAC2.0.H264.mkv", "Show.S01.AAC2.0.H264", "AAC2 contains aac"},
    {"Show.Name.S01E02.720p.S01E03.mkv", "Show.Name.S01.720p.S01E03", "only the first episode token counts"},
    {"Show.Name.S01E02.Episode.Title.mkv", "Show.Name.S01.Episode.Title", "no pattern token: all parts but the last"},
    {"Show.Name.S01E02.mkv", "Show.Name.S01", ""},
    {"Show.S01E02.WEB-DL.mkv", "Show.S01.WEB-DL", ""},
    {"Aachen.S01E02.Pilot.720p.mkv", "Aachen.S01.Pilot.720p", "part 0 contains aac: as if no pattern token"},
    {"Show.Name.S01E02.720p", "Show.Name.S01", "the last part is neither searched nor used"},
    {"Show.Name.S01E02", "Show.Name", "episode token last: not even its season tag is used"},
    {"Show..S01E02.720p.mkv", "Show..S01.720p", "the empty part keeps its separator"},
    {".Show.S01E02.720p.mkv", ".Show.S01.720p", "leading empty part"},
    {"Show.S01E02.720p.mkv.", "Show.S01.720p", "a trailing dot adds no part"},
    {"Show.S01E02..mkv", "Show.S01.", "the empty part before the extension remains"},
    {"Show.S-1E+2.720p.mkv", "Show.S-1.720p", "signed fields pass"},
    {"Show.SxAE02.720p.mkv", "Show.SxA.720p", "hexadecimal field passes"},
    {"S01E02.Show.720p.mkv", "-", "the episode token is part 0"},
    {"Show.S1E2.720p.mkv", "-", "wrong length"},
    {"Show.S01E02E03.720p.mkv", "-", "wrong length"},
    {"Show.S01X02.720p.mkv", "-", "4th character is not e"},
    {"Show.S0xE02.720p.mkv", "-", "the field 0x fails"},
    {"README", "-", "one part only"},
    // Further edges of the rule.
    {"S01E02.Show.S01E03.mkv", "-", "the first qualifying part decides, even part 0"},
    {".S01E02", "", "empty folder name: the file's own directory"},
    {"Show.S01E02.Title.mkv.720p", "Show.S01.Title.mkv", "a pattern in the last part is never seen"},
    {"a..b.S01E02.c", "a..b.S01", "consecutive dots give an empty part"},
    // A pattern token at or before the episode token builds the name as without one.
    {"Show.720p.S01E02.mkv", "Show.720p.S01", "pattern in the title"},
    {"Show.720p.S01E02.Title.1080p.mkv", "Show.720p.S01.Title.1080p", "the search ends at the first match"},
    {"Show.HEVC.Name.S01E02.Pilot.mkv", "Show.HEVC.Name.S01.Pilot", "title word after part 0"},
    // Not DBCS-specific, but bytes above 0x7F are compared unchanged.
    {"Caf\xC9.S01E02.720P.mkv", "Caf\xC9.S01.720P", "only A-Z fold"},
};

TEST(DeriveTargetFolder, NamesWithDefaultPatterns) {
    for (const auto& c : kNameCases) {
        const std::string expected = c.folder == "-" ? "" : "D:\\Video\\" + c.folder;
        EXPECT_EQ(DeriveTargetFolder("D:\\Video\\" + c.file, kDefaults), expected) << c.file << ": " << c.why;
    }
}

TEST(DeriveTargetFolder, EpisodeFields) {
    // Both two-character fields pass exactly in these forms; the rest fail.
    struct Case {
        std::string field;
        bool passes;
    };
    const Case cases[] = {
        {"00", true},  {"99", true},  {" 1", true},  {"\t1", true}, {"+2", true},  {"-2", true},
        {"$f", true},  {"$F", true},  {"xA", true},  {"X0", true},  {"%0", true},  {"%1", true},
        {"&7", true},  {"0x", false}, {"1 ", false}, {" -", false}, {"ab", false}, {"%2", false},
        {"&8", false}, {"$g", false}, {"--", false}, {"  ", false}, {"+ ", false}, {"x ", false},
    };
    for (const auto& c : cases) {
        const std::string season = "Show.S" + c.field + "E01.mkv";
        const std::string episode = "Show.S01E" + c.field + ".mkv";
        EXPECT_EQ(DeriveTargetFolder(season, TStrArr{}).empty(), !c.passes) << "season field '" << c.field << "'";
        EXPECT_EQ(DeriveTargetFolder(episode, TStrArr{}).empty(), !c.passes) << "episode field '" << c.field << "'";
    }
}

TEST(DeriveTargetFolder, Directories) {
    struct Case {
        std::string path;
        std::string result;
        const char* why;
    };
    const Case cases[] = {
        {"C:Show.S01E02.720p.mkv", "C:\\Show.S01.720p", "a directory ending in a colon gets a backslash"},
        {"Show.S01E02.720p.mkv", "\\Show.S01.720p", "no directory: the root of the current drive"},
        {"D:\\Show.S01E02.720p.mkv", "D:\\Show.S01.720p", "drive root"},
        {"\\\\server\\share\\Show.S01E02.mkv", "\\\\server\\share\\Show.S01", ""},
        {"D:\\Video\\.S01E02", "D:\\Video\\", "empty folder name keeps the backslash"},
        {"D:\\S01E02.x\\Show.mkv", "", "only the name is examined"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeriveTargetFolder(c.path, kDefaults), c.result) << c.path << ": " << c.why;
    }
}

TEST(DeriveTargetFolder, PatternLists) {
    const std::string file = "D:\\V\\Show.S01E02.Title.WEB.720p.mkv";
    struct Case {
        TStrArr patterns;
        std::string folder;
        const char* why;
    };
    const Case cases[] = {
        {{}, "Show.S01.Title.WEB.720p", "no patterns"},
        {{u"", u""}, "Show.S01.Title.WEB.720p", "empty entries never match"},
        {{u"720p", u"web"}, "Show.S01.WEB.720p", "the first matching part, not the first entry"},
        {{u"web", u"720p"}, "Show.S01.WEB.720p", "list order does not matter"},
        {{u"Show"}, "Show.S01.Title.WEB.720p", "a match in part 0"},
        {{u"S01E02"}, "Show.S01.Title.WEB.720p", "a match in the episode token itself"},
        {{u"mkv"}, "Show.S01.Title.WEB.720p", "the last part is not searched"},
        {{u"i"}, "Show.S01.Title.WEB.720p", "a one-letter pattern: Title matches"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeriveTargetFolder(file, c.patterns), "D:\\V\\" + c.folder) << c.why;
    }
}

TEST(ContainsNoCase, PatternInsideToken) {
    struct Case {
        std::string token;
        std::string pattern;
        bool contains;
    };
    const Case cases[] = {
        {"x265-HEVC", "HEVC", true},
        {"x265-HEVC", "hevc", true},
        {"720", "720p", false},
        {"720p", "720", true},
        {"abc", "", false},
        {"", "a", false},
        {"", "", false},
        {"AbC", "aBc", true},
        {"\xC9", "\xE9", false},
        // Bytes above 0x7F compare unchanged, so they match themselves (char may be signed).
        {"Caf\xC9", "\xC9", true},
        {"Caf\xC9s", "F\xC9S", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ContainsNoCase(c.token, c.pattern), c.contains) << c.token << " / " << c.pattern;
    }
}

}  // namespace
