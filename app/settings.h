#pragma once
// The settings file beside the executable: its section "Patterns" holds "Limit", the highest
// pattern key, and the patterns under the keys "0" to Limit. Written with the defaults when it is
// missing, never rewritten afterwards.

#include <array>
#include <cstdint>
#include <string_view>

#include "qm.API/strarr.h"

namespace qm::app {

inline constexpr const char* PatternsSection = "Patterns";
inline constexpr const char* LimitKey = "Limit";

// The highest Limit that is read; a larger one loads the keys 0 to this. Every key costs one read
// of the file and one list entry, so an absurd Limit must not decide how long a run takes.
inline constexpr int32_t MaxPatternLimit = 9999;

// How long a settings file that another program holds for itself is waited for.
inline constexpr int SettingsPatienceMs = 2000;

// The twelve patterns a new settings file is written with, in key order 0 to 11.
inline constexpr std::array<const char*, 12> DefaultPatterns = {
    "480p", "576p", "720p", "1080p", "2160p", "XviD", "HEVC", "Rerip", "BDrip", "AAC", "DVDRip", "PDTV",
};

// The byte-order marks of the encodings Windows' INI reading does not understand: UTF-8, and
// UTF-16 big-endian (it reads UTF-16 little-endian only, FF FE).
inline constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

// Writes Limit=11 and the defaults when path is not an existing file; true when it is one
// afterwards. The file appears whole or not at all, also when several runs make it at once.
bool EnsureSettingsFile(std::string_view path);

// The patterns of keys 0 to Limit (capped at MaxPatternLimit), missing or empty keys as empty
// entries. A missing or unreadable Limit reads as 0. The list is empty when Limit is negative,
// when the file cannot be opened for reading within SettingsPatienceMs, and when it begins with
// Utf8Mark or Utf16BigEndianMark.
qm::api::TStrArr LoadPatternList(std::string_view path);

}  // namespace qm::app
