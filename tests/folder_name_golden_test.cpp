// The folder-name rule against a plain version of it, written step by step from the rule, over
// the generated release-name corpus and the rule's worked examples: whatever makes the rule fast
// must not change a single result. Natively and under Wine.

#include <gtest/gtest.h>

#include "bench/release_names.h"
#include "qm.API/dbcs.h"
#include "qm.API/strarr.h"
#include "sorter/folder_name.h"
#include "support/plain_folder_name.h"

#include <string>
#include <vector>

using qm::api::TStrArr;
using namespace std::string_literals;

namespace {

const TStrArr kDefaults = {u"480p", u"576p",  u"720p",  u"1080p", u"2160p",  u"XviD",
                           u"HEVC", u"Rerip", u"BDrip", u"AAC",   u"DVDRip", u"PDTV"};

// The directories the corpus is spread over: each way a path can begin.
const std::string kDirectories[] = {
    "D:\\Video\\", "C:", "\\\\nas\\tv\\Series\\", "", "Video\\", "D:\\Video\\Show.S01E02.x\\", "D:\\a:b\\",
};

// The worked examples of the rule and further edges: every quirk of the splitting and the search.
const char* const kEdgeNames[] = {
    "Show.Name.S01E02.Pilot.720p.HDTV.x264-GRP.mkv",
    "Show.Name.s01e02.720p.mkv",
    "Show.S01E02.Title.1080p.BluRay.x265-HEVC.mkv",
    "Show.Name.S01E02.Part.1.720p.HDTV.mkv",
    "Show.S01E02.720P.mkv",
    "Show.S01E02.AAC2.0.H264.mkv",
    "Show.Name.S01E02.720p.S01E03.mkv",
    "Show.Name.S01E02.Episode.Title.mkv",
    "Show.Name.S01E02.mkv",
    "Show.S01E02.WEB-DL.mkv",
    "Aachen.S01E02.Pilot.720p.mkv",
    "Show.Name.S01E02.720p",
    "Show.Name.S01E02",
    "Show..S01E02.720p.mkv",
    ".Show.S01E02.720p.mkv",
    "Show.S01E02.720p.mkv.",
    "Show.S01E02..mkv",
    "Show.S-1E+2.720p.mkv",
    "Show.SxAE02.720p.mkv",
    "S01E02.Show.720p.mkv",
    "Show.S1E2.720p.mkv",
    "Show.S01E02E03.720p.mkv",
    "Show.S01X02.720p.mkv",
    "Show.S0xE02.720p.mkv",
    "README",
    "",
    ".",
    "..",
    "...",
    "a.",
    "a..",
    ".S01E02",
    "..S01E02",
    "S01E02",
    "x.S01E02.",
    "x.S01E02..",
    "x.S01E02...y",
    "Show.S01E02.720p.mkv\\",
    "Show.S01E02.Title.mkv.720p",
    "Show.720p.S01E02.Title.1080p.mkv",
    "Show.S01E02.720p720p.480p.mkv",
    "Show.S01E02.Title.x720p",
    "Show.S01E02.T.7.20p.mkv",
    "Show.S01E02.\xC9\xE9.720p.mkv",
    "Show.S\t1E 2.HEVC.mkv",
    "Show.S%1E&7.HEVC.mkv",
    "Show.S%2E01.HEVC.mkv",
    // Bytes above 0x7F in a part after the episode title: a pattern of such bytes drops the title.
    "Show.S01E02.Title.Caf\xE9.720p.mkv",
    "Show.S01E02.Title.\xC9t\xE9.mkv",
};

// Pattern lists beyond the defaults: empty entries, a dot inside a pattern, case, repeats, bytes
// above 0x7F, patterns inside other patterns, and one that occurs in nearly every name.
const TStrArr kPatternLists[] = {
    {},
    {u""},
    {u"", u"720p", u"", u"720P", u"720p"},
    {u"AAC2.0", u"x264", u".mkv", u"Show."},
    {u"hevc", u"WEB", u"web-dl", u"H"},
    {u"\u00E9", u"\u00C9", u"Caf\u00E9"},
    {u"p", u"720p", u"0p"},
    {u"e"},
    {u"S01E02", u"Name"},
};

std::vector<std::string> CorpusNames(size_t count) {
    std::vector<std::string> names = qm::bench::ReleaseNames(count);
    for (const char* edge : kEdgeNames) {
        names.emplace_back(edge);
    }
    // Three of the edges hold a NUL: a C string would have cut them short.
    names.push_back(
        "Show.S01E02.a\0"
        "720p.mkv"s);
    names.push_back(
        "Show\0"
        "x.S01E02.720p.mkv"s);
    names.push_back(
        "a\\b\0"
        "c\\Show.S01E02.720p.mkv"s);
    return names;
}

void ExpectSameAsPlain(const std::vector<std::string>& names, const TStrArr& patterns, const char* what) {
    const qm::sorter::TPatternSet prepared = qm::sorter::PreparePatterns(patterns);
    size_t mismatches = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        std::string path = kDirectories[i % std::size(kDirectories)];
        path += names[i];
        const std::string expected = qm::test::PlainTargetFolder(path, patterns);
        const std::string result = qm::sorter::DeriveTargetFolder(path, prepared);
        const std::string unprepared = qm::sorter::DeriveTargetFolder(path, patterns);
        if (result != expected || unprepared != expected) {
            ADD_FAILURE() << what << ": '" << path << "' gives '" << result << "' (unprepared '" << unprepared
                          << "'), the plain rule '" << expected << "'";
            if (++mismatches == 20) {
                return;
            }
        }
    }
}

TEST(FolderNameGolden, CorpusWithDefaultPatterns) {
    ExpectSameAsPlain(CorpusNames(10000), kDefaults, "default patterns");
}

TEST(FolderNameGolden, CorpusWithOtherPatternLists) {
    const std::vector<std::string> names = CorpusNames(1000);
    for (const auto& patterns : kPatternLists) {
        ExpectSameAsPlain(names, patterns, "pattern list");
    }
}

// With a double-byte code page the directory part ends at the last separator that is no trail
// byte, while the name still begins after the last backslash byte.
TEST(FolderNameGolden, CorpusWithDoubleByteCodePage) {
    const qm::api::TDbcsState saved = qm::api::Dbcs;
    qm::api::Dbcs = qm::api::TDbcsState{};
    qm::api::Dbcs.DbcsEnabled = true;
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
    qm::api::MarkLeadByteRanges(ranges);

    std::vector<std::string> names = CorpusNames(1000);
    for (auto& name : names) {
        name.insert(0, "D:\\\x95\\\x95\\");
    }
    names.emplace_back("D:\\\x95\\Show.S01E02.720p.mkv");
    names.emplace_back("\x95:Show.S01E02.720p.mkv");
    names.emplace_back("\xE9\\\xE9\\.S01E02");
    ExpectSameAsPlain(names, kDefaults, "double-byte code page");

    qm::api::Dbcs = saved;
}

}  // namespace
