#pragma once
// What the installer window shows when it opens, decided from what is registered: the context
// verb of this very executable (case A), a recorded SendTo shortcut (case B) or nothing (case C).

#include <functional>
#include <string>
#include <string_view>

namespace qm::installer {

// The command Explorer runs for the verb: "<exe>" "%1".
std::string VerbCommandText(std::string_view executablePath);
// The verb's icon: the executable's first icon, "<exe>",0.
std::string VerbIconText(std::string_view executablePath);
// The SendTo shortcut's target: "<exe>".
std::string ShortcutTarget(std::string_view executablePath);

// The caption stored with the verb, or the default caption when none is stored.
std::string MenuCaptionFrom(std::string_view storedCaption);

// The caption a recorded shortcut was made with: its file name up to the first occurrence of its
// extension ('...\Menu.lnk.lnk' gives 'Menu').
std::string ShortcutCaption(std::string_view shortcutPath);

using TFileTest = std::function<bool(std::string_view path)>;

// Whether a recorded path is the tool's own shortcut: a file whose name ends in ".lnk", directly
// in the SendTo folder (sendToFolder, with its trailing backslash; both in any ASCII letter case),
// where the tool makes its shortcut, and which isTools takes for the tool's: one that loads as a
// shortcut to this very executable (PointsHere), for the window's preset; for the removals, also
// one left by a copy that has moved (IsLeftByMovedCopy). Only such a file is ever deleted: a
// document, a folder, a shortcut elsewhere, the user's own shortcut of that name and one of
// another copy of the tool are left alone. An unknown (empty) SendTo folder holds no shortcut of
// the tool's.
bool IsOwnShortcut(std::string_view recordedPath, std::string_view sendToFolder, const TFileTest& isTools);

// Whether a shortcut (its target, quotes dropped, and its description) is one the tool made for
// a copy of itself that has moved away since: no file exists at its target (isExistingFile), the
// target's file name is this executable's file name (ASCII case ignored) and the description is
// the tool's own. A copy still in place is another program; a shortcut of the user's carries
// another name or description.
bool IsLeftByMovedCopy(std::string_view linkTarget, std::string_view linkDescription, std::string_view executablePath,
                       const TFileTest& isExistingFile);

enum class PresetCase {
    ContextEntry,  // A: the verb's command is exactly this executable's command
    SendToEntry,   // B: otherwise, the recorded path is the tool's own shortcut
    NothingYet,    // C: otherwise
};

struct TPreset {
    PresetCase Case = PresetCase::NothingYet;
    std::string ShortcutCaption;  // case B only: the text the edit shows instead of the menu caption
};

// The decision, in its order: the recorded path is read only when case A does not hold.
TPreset DecidePreset(std::string_view storedCommand, std::string_view executablePath,
                     const std::function<std::string()>& readRecordedPath, std::string_view sendToFolder,
                     const TFileTest& pointsHere);

}  // namespace qm::installer
