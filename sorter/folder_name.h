#pragma once
// The folder-name rule: from the full path of one video file, the full path of the season folder
// it belongs in, or the empty text when the name has no season-and-episode part.

#include <string>
#include <string_view>

#include "qm.API/strarr.h"

namespace qm::sorter {

// True when the ASCII-lower-cased pattern is not empty and occurs anywhere inside the
// ASCII-lower-cased token. The pattern is looked for in the token, never the reverse:
// "x265-HEVC" contains "HEVC", "720" does not contain "720p".
bool ContainsNoCase(std::string_view token, std::string_view pattern);

// The file's directory (with a backslash ensured) followed by the folder name built from the
// dot-separated parts of the file name: the title parts before the episode token (S01E02), the
// season tag (S01), then the first part containing a pattern and everything after it, or every
// part after the episode token when no later part contains one. The last part (normally the
// extension) is never used. Empty when the name has no episode token, or when its first episode
// token is the first part (a name needs a title before it).
// Show.Name.S01E02.Pilot.720p.HDTV.mkv in D:\Video gives D:\Video\Show.Name.S01.720p.HDTV.
std::string DeriveTargetFolder(std::string_view filePath, const qm::api::TStrArr& patternList);

}  // namespace qm::sorter
