#pragma once
// Release names as episode downloads are named, generated the same way on every machine and in
// every build: the corpus of the rule benchmark and of the folders the whole-run benchmark sorts.

#include <cstddef>
#include <string>
#include <vector>

namespace qm::bench {

// count distinct 8-bit file names (Windows-1252 where a byte is above 0x7F). Episodes come in
// releases of 6 to 14 (about 10) that share series, season, tags and group, so that most season
// folders receive about ten files; many series and seasons, episode titles of zero to four words,
// resolutions, sources, codecs and groups. About one name in ten has no usable episode token
// (samples, subtitles of whole seasons, films, notes), and about one in a hundred is odd: lower case, double or
// trailing dots, signed or hexadecimal fields, tags inside the title, no extension, a title word
// that holds a tag (Aachen), very long titles.
std::vector<std::string> ReleaseNames(size_t count);

}  // namespace qm::bench
