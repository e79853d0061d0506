#pragma once
// The installer window: a small always-on-top frame in which the user types the caption of the
// Explorer entry, picks its place (folder context menu or SendTo) and clicks Install or Uninstall.

#include <windows.h>

#include <string>
#include <string_view>

#include "qm.API/handles.h"

namespace qm::installer {

// The process-wide installer state, made by CreateInstallerWindow and used by the window
// procedure. The controls have no identifiers: they are told apart by their handles.
struct TInstallerState {
    HINSTANCE Instance = nullptr;
    WNDCLASSA WindowClass{};
    std::string ExecutablePath;      // the running executable, read once when the window is made
    HWND InstallerWindow = nullptr;  // null until made, and when it could not be made
    HWND InstallButton = nullptr;
    HWND UninstallButton = nullptr;
    HWND MenuNameLabel = nullptr;
    HWND MenuNameEdit = nullptr;
    HWND LocationGroup = nullptr;
    HWND ContextRadio = nullptr;
    HWND SendToRadio = nullptr;
    qm::api::TFont InstallerFont;  // may be null: the controls then keep the system font
    std::string MenuCaption;       // the Explorer entry's caption
    MSG Message{};
};

extern TInstallerState Installer;

// Registers the class, makes the window and its seven controls, presets them from what is
// registered and gives them the font. InstallerWindow stays null when the window cannot be made.
void CreateInstallerWindow();

// Runs the window's message loop. Every way out of the window ends the process inside the window
// procedure, so this returns only if the loop ends on its own.
void RunInstallerLoop();

// Deletes the font and unregisters the window class: the last clean-up before the process ends.
void ReleaseWindowResources();

// Whether a file loads as a shortcut to this executable: the tool's own SendTo shortcut (COM must
// be usable on the thread). An executable without an exact path of its own has none.
bool PointsHere(std::string_view path);
// PointsHere, or a shortcut the tool made for a copy that has moved away since
// (IsLeftByMovedCopy): a shortcut the tool may delete or replace.
bool IsToolsShortcut(std::string_view path);

}  // namespace qm::installer
