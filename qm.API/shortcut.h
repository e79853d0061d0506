#pragma once
// Shell shortcut (.lnk) files made through the platform's Shell Link object. COM must be usable on
// the calling thread (see TComApartment).

#include <windows.h>
#include <objbase.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "qm.API/handles.h"

namespace qm::api {

// The known shell folders a shortcut can be put in; the installer uses SendTo only.
enum class ShortcutPlace : int { Desktop = 0, StartMenu = 1, Startup = 2, Programs = 3, SendTo = 4, QuickLaunch = 5 };

// The known-folder id of a place; null for a value outside the six.
const GUID* KnownFolderOf(ShortcutPlace place);

// The place's folder with one trailing backslash, in 8-bit form: the folder ShellShortcut saves
// into. Empty when the platform does not name it, or names one the ANSI code page cannot hold
// exactly.
std::string ShortcutFolder(ShortcutPlace place);

// Releases what object held, then creates an instance of the class (in-process or local server)
// and keeps its IUnknown in object. The creation's status.
HRESULT NewShellObject(const CLSID& classId, TComPtr<IUnknown>& object);

// What a shortcut file holds: where it points (the quotes around the path dropped) and its
// description.
struct TShortcutLink {
    std::string Target;
    std::string Description;
};

// The shortcut at path (8-bit); nothing when the file does not load as one (a file of another
// kind, a folder, a missing path). Loading resolves nothing: a target that is gone stays as stored.
std::optional<TShortcutLink> ReadShortcut(std::string_view path);

// Whether the file at path (8-bit) loads as a shortcut whose target is target (the quotes around
// either dropped, ASCII case ignored).
bool IsShortcutTo(std::string_view path, std::string_view target);

// Creates "<linkName>.lnk" in the place's folder, pointing at target (the program passes its own
// path in double quotes), with the given arguments and description; the working directory is the
// target's directory. An existing file of that name is overwritten only when mayReplace (given its
// 8-bit path) allows it; any other file stays and the result is false. True exactly when the save
// succeeded and a file (not a directory) exists at that path afterwards; linkPath then holds its
// full path and is empty otherwise.
bool ShellShortcut(std::string_view target, std::string_view description, std::string_view arguments,
                   std::string_view linkName, ShortcutPlace place, std::u16string& linkPath,
                   const std::function<bool(std::string_view path)>& mayReplace);

}  // namespace qm::api
