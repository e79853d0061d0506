#pragma once
// Where one listed file goes: the season folder to create and the two paths of the move, or no
// target at all when the file has to stay where it is.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "sorter/folder_name.h"

namespace qm::sorter {

// Put in front of both paths of a move, so that neither is bound by MAX_PATH and the platform
// takes each name exactly as written, a final dot or blank included.
inline constexpr std::u16string_view LongPathPrefix = u"\\\\?\\";

// The last parts (ASCII case ignored) of files a download is still writing: Firefox, wget, curl
// and Transmission write X.part, Chrome and Edge X.crdownload, qBittorrent X.!qB, µTorrent and
// BitTorrent X.!ut and X.!bt, Safari X.download, Opera X.opdownload, others X.partial, BitComet
// and BitLord X.bc!, BitSpirit X.bt!, FlashGet X.fb!, Resilio Sync X.!sync, DC++ X.<hash>.dctmp;
// aria2 writes X itself beside its control file X.aria2.
inline constexpr std::array<std::u16string_view, 14> PartialSuffixes = {
    u"part",       u"partial", u"crdownload", u"download", u"!qb", u"!ut",   u"!bt",
    u"opdownload", u"aria2",   u"bc!",        u"bt!",      u"fb!", u"!sync", u"dctmp",
};

// The files of a listing that are placeholders of downloads still running: for every partial file
// X.<suffix>, the path X, ASCII-lower-cased. A browser makes X empty before the download ends, and
// aria2 writes into X; moved, X would take the finished file's name in the season folder.
using TPlaceholders = std::unordered_set<std::u16string>;
TPlaceholders PlaceholdersIn(const qm::api::TStrArr& fileList);

struct TMoveTarget {
    std::string Folder;     // 8-bit path of the season folder, with a trailing backslash
    std::u16string Source;  // the listed path in its long form (LongPathOf), to open the file with
    std::u16string Target;  // folder + the file's own name, in its long form (LongPathOf)
};

// The long form of a path: LongPathPrefix before a drive path (D:\...), the UNC form
// \\?\UNC\server\share\... for a network path, and any other path unchanged: a path that already
// has a prefix (\\?\D:\, \\?\Volume{...}\, \\?\GLOBALROOT\..., \\.\...), and a relative one (Video,
// \Video, D:Video), which the prefix would not resolve but the platform resolves like the folder
// creation does.
std::u16string LongPathOf(std::u16string_view path);

// The move for one entry of the file list (a full UTF-16 path). No target when the file is a
// partial download or one of placeholders; when the name has no episode token, or its season
// folder name is not a plain name Windows holds as written (IsPlainFileName); or when the name does
// not survive the conversion to the ANSI code page and back (the rule works on 8-bit text, and
// moving under the converted name would rename the file). The target lies in the same namespace as
// the entry: a prefixed entry keeps its prefix, so that the target is never relative to the
// current folder.
std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, const TPatternSet& patterns,
                                        const TPlaceholders& placeholders = {});
// The same with the pattern list as loaded; it is prepared for this one call.
std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, const qm::api::TStrArr& patternList);

// The same for an entry whose 8-bit form is already known to convert back to it. The rule reads
// the 8-bit path; the file keeps the name of the entry itself.
std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, std::string_view path, const TPatternSet& patterns);

}  // namespace qm::sorter
