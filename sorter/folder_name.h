#pragma once
// The folder-name rule: from the full path of one video file, the full path of the season folder
// it belongs in, or the empty text when the name has no season-and-episode part.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "qm.API/strarr.h"

namespace qm::sorter {

// The pattern list in the form the rule searches with, made once per run: each entry's 8-bit form
// lower-cased, without the entries that can never select a part (empty ones, and those holding a
// dot, which no part does) and without repeats, ordered by first byte. The patterns starting with
// byte b are Lowered[FirstOf[b]] up to Lowered[FirstOf[b + 1]].
struct TPatternSet {
    std::vector<std::string> Lowered;
    std::array<uint32_t, 257> FirstOf{};
};

TPatternSet PreparePatterns(const qm::api::TStrArr& patternList);

// True when the ASCII-lower-cased pattern is not empty and occurs inside the ASCII-lower-cased
// token, starting a character. The pattern is looked for in the token, never the reverse:
// "x265-HEVC" contains "HEVC", "720" does not contain "720p".
bool ContainsNoCase(std::string_view token, std::string_view pattern);

// The file's directory (with a backslash ensured) followed by the folder name built from the
// dot-separated parts of the file name: the title parts before the episode token (S01E02), the
// season tag (S01), then the first part containing a pattern and everything after it, or every
// part after the episode token when no later part contains one. The last part (normally the
// extension) is never used. Empty when the name has no episode token, or when its first episode
// token is the first part (a name needs a title before it).
// Show.Name.S01E02.Pilot.720p.HDTV.mkv in D:\Video gives D:\Video\Show.Name.S01.720p.HDTV.
std::string DeriveTargetFolder(std::string_view filePath, const TPatternSet& patterns);
// The same with the pattern list as loaded; it is prepared for this one call.
std::string DeriveTargetFolder(std::string_view filePath, const qm::api::TStrArr& patternList);

}  // namespace qm::sorter
