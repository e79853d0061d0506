#pragma once
// File-system operations of the support library. Existence tests and folder creation take 8-bit
// paths (ANSI code page); the listing and the move take UTF-16 paths. Failures are results.

#include <functional>
#include <string>
#include <string_view>

#include "qm.API/strarr.h"

namespace qm::api {

// True when the path exists and is not a directory (hidden, system and read-only files count).
bool IsExistingFile(std::string_view path);
// True when the path exists and is a directory.
bool IsExistingFolder(std::string_view path);

// The full path the platform makes of a path: relative to the current folder (a bare drive D:
// to that drive's current folder), with "." and ".." resolved, the trailing backslash kept. Empty
// when it cannot make one (an empty path).
std::u16string FullPathOf(std::u16string_view path);

// Creates one directory; false when it exists already, its parent is missing or the platform
// refuses.
bool MakeFolder(std::string_view path);
// Creates the directory and every missing parent, outermost first; true when it exists
// afterwards. A drive (C:, C:\) and a lone backslash count as present; an empty path and a
// relative name without separators that does not exist give false. Levels made before a failure
// stay.
bool MakeFolderPath(std::string_view path);

// Full paths (folder, backslash, name) of the files in folder whose names match mask, in the
// platform's order. With descend, the files of every sub-folder follow, sub-folder by sub-folder,
// depth first; directory links are not entered, so a link back to an ancestor cannot loop.
// Empty when the folder cannot be listed.
TStrArr ListFiles(std::u16string_view folder, std::u16string_view mask, bool descend);

// Moves a file; never replaces an existing target. True when the platform reports success.
bool MoveFileNoReplace(std::u16string_view source, std::u16string_view target);

// Moves a file that no other program has open; never replaces an existing target. The file
// (source: any path form the platform opens, \\?\D:\... among them; a link is taken as itself) is
// opened for deletion and shared with no one, which the platform refuses while another program has
// it open for reading or writing, whatever sharing that program allowed, as a download or a
// seeding torrent does. While the file is held so, prepare runs (the caller makes the target's
// folder there); then the file is renamed through that handle, so that no program can open it in
// between. target: any path form the platform opens, as for source; the rename converts it as
// CreateFileW does, so \\?\D:\... is taken as written and is not bound by MAX_PATH. False, and
// prepare not run, when the file cannot be held; false when prepare does or the rename fails (the
// target exists, or lies on another volume: the file is never copied).
bool MoveFileAlone(std::u16string_view source, std::u16string_view target, const std::function<bool()>& prepare);

// The path itself, or, when the file at path is a symbolic link (the file itself, not a folder on
// the way), the full path of the file it leads to. winget starts a portable program through such a
// link in its Links folder; Scoop's "current" folder link must stay in a path to outlive an update.
std::u16string WithoutFileLink(const std::u16string& path);

// A new empty file of a name no other file in folder has; its path, or empty when none can be made.
std::string NewFileIn(std::string_view folder);
// Deletes a file; true when the platform reports success.
bool RemoveFile(std::string_view path);

// The first count bytes of a file, fewer when it is shorter; empty when it cannot be read.
std::string FileStart(std::string_view path, size_t count);

// Runs read while the file is open for reading, shared with other readers and writers but not
// with a program that wants the file for itself, so that none can take it meanwhile. A file that
// cannot be opened (held by another program, or missing) is tried again for patienceMs; false,
// and read not run, when it never opens.
bool WhileOpenForReading(std::string_view path, int patienceMs, const std::function<void()>& read);

}  // namespace qm::api
