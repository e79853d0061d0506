#pragma once
// Where one listed file goes: the season folder to create and the two paths of the move, or no
// target at all when the file has to stay where it is.

#include <optional>
#include <string>
#include <string_view>

#include "sorter/folder_name.h"

namespace qm::sorter {

// Put in front of both paths of a move, so that the move itself is not bound by the 8-bit
// interface's path length.
inline constexpr std::u16string_view LongPathPrefix = u"\\\\?\\";

struct TMoveTarget {
    std::string Folder;     // 8-bit path of the season folder, with a trailing backslash
    std::u16string Source;  // the listed path in its long form (LongPathOf)
    std::u16string Target;  // folder + the file's own name in its long form
};

// The long form of a path for the move: LongPathPrefix before a drive path (D:\...), the UNC form
// \\?\UNC\server\share\... for a network path, and any other path unchanged: a path that already
// has a prefix, and a relative one (Video, \Video, D:Video), which the prefix would not resolve
// but the platform resolves like the folder creation does. A bare prefix before a network or a
// relative path names nothing, so every move there failed and left empty season folders behind.
std::u16string LongPathOf(std::u16string_view path);

// The move for one entry of the file list (a full UTF-16 path). No target when the name has no
// episode token, when its season folder name is not a plain name Windows holds as written (IsPlainFileName), or when
// the name does not survive the conversion to the ANSI code page and back (the rule works on 8-bit text, and moving
// under the converted name would rename the file).
std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, const TPatternSet& patterns);
// The same with the pattern list as loaded; it is prepared for this one call.
std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, const qm::api::TStrArr& patternList);

// The same for an entry whose 8-bit form is already known to convert back to it. The rule reads
// the 8-bit path; the file keeps the name of the entry itself.
std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, std::string_view path, const TPatternSet& patterns);

}  // namespace qm::sorter
