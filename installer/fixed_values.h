#pragma once
// The installer's fixed names and texts, exactly as Explorer, the registry and the user see them.
// Key paths are relative to HKEY_CURRENT_USER and end in a backslash.

#include <string>
#include <string_view>

namespace qm::installer {

inline constexpr std::string_view WindowClassName = "Quillmoors_UI_CLASS";
inline constexpr std::string_view WindowCaption = "Quillmoors Tidyreel";

// The folder context-menu verb: its default value is the caption, "Icon" the icon, and the
// default value of its command key the command Explorer runs.
inline constexpr std::string_view VerbKeyPath = "SOFTWARE\\Classes\\Directory\\shell\\QuillmoorsTidyreel\\";
inline constexpr std::string_view CommandSubkey = "command\\";
inline constexpr std::string_view IconValueName = "Icon";
// The tool's own key: its default value records the full path of the SendTo shortcut.
inline constexpr std::string_view OwnKeyPath = "SOFTWARE\\Quillmoor\\Tidyreel\\";

// The verb's command key, removed before the verb key because keys go one at a time.
inline std::string CommandKeyPath() {
    std::string path(VerbKeyPath);
    path += CommandSubkey;
    return path;
}

inline constexpr std::string_view DefaultMenuCaption = "QM - Tidyreel";
inline constexpr std::string_view ShortcutDescription = "Tidyreel by Quillmoor";

}  // namespace qm::installer
