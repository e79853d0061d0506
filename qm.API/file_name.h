#pragma once
// Which names Windows holds exactly as written, as one entry directly inside a folder.

#include <string_view>

namespace qm::api {

// True for a plain file or folder name: not empty; not ending in a dot or a space (the platform
// strips them and makes another name, and "." and ".." name the folder itself or its parent);
// none of \ / : * ? " < > | and no control character (a separator would put the entry somewhere
// else), where the second byte of a double-byte character is no character of its own; and not a
// device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, any letter case, alone or before the
// first dot, spaces before that dot ignored).
bool IsPlainFileName(std::string_view name);

// Whether a path names the same folder once the platform has made it a full path: no part other
// than "." and ".." ends in a dot, and the last part, unless a separator follows it, does not end in
// a space. The platform drops such an end (D:\Video\Show  becomes D:\Video\Show, X\Dot.\Sub becomes
// X\Dot\Sub), and the path would name another folder; it keeps a space before a separator
// (D:\Video\Show \Season 1).
bool KeepsEveryPart(std::u16string_view path);

}  // namespace qm::api
