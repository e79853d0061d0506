#include "installer/actions.h"

#include <cstdlib>
#include <string>

#include "installer/fixed_values.h"
#include "installer/installer_window.h"
#include "installer/preset.h"
#include "qm.API/convert.h"
#include "qm.API/file_name.h"
#include "qm.API/registry.h"
#include "qm.API/shortcut.h"
#include "qm.API/window.h"

namespace qm::installer {

namespace {

using qm::api::RegReadText;
using qm::api::RegRemoveKey;
using qm::api::RegWriteText;

// Font deleted, class unregistered, then the process ends from inside the window procedure with
// the normal exit clean-up; the message loop never gets control back.
[[noreturn]] void End() {
    ReleaseWindowResources();
    PostQuitMessage(0);
    std::exit(0);
}

// Deletes the recorded SendTo shortcut and forgets it, but only when the recorded path is the
// tool's own shortcut, also one left by a copy that has moved: a stale path, a folder, someone's
// document, a shortcut outside SendTo and a shortcut there that points at another program stay
// untouched, and so does the record of it.
void RemoveRecordedShortcut() {
    const std::string path = RegReadText(HKEY_CURRENT_USER, OwnKeyPath, {});
    const std::string sendTo = qm::api::ShortcutFolder(qm::api::ShortcutPlace::SendTo);
    if (IsOwnShortcut(path, sendTo, IsToolsShortcut)) {
        DeleteFileA(path.c_str());
        RegRemoveKey(HKEY_CURRENT_USER, OwnKeyPath);
    }
}

// Keys go one at a time: the command key first, so that the verb key has no subkey left.
void RemoveVerb() {
    RegRemoveKey(HKEY_CURRENT_USER, CommandKeyPath());
    RegRemoveKey(HKEY_CURRENT_USER, VerbKeyPath);
}

// "<caption>.lnk" in the SendTo folder, pointing at this executable; never over a file of that
// name that is not already the tool's shortcut (one of a moved copy is replaced). A caption that
// is not a plain file name would put the file elsewhere (or nowhere), so none is made for it.
bool MakeSendToShortcut(const std::string& caption, std::u16string& linkPath) {
    return qm::api::IsPlainFileName(caption) &&
           qm::api::ShellShortcut(ShortcutTarget(Installer.ExecutablePath), ShortcutDescription, {}, caption,
                                  qm::api::ShortcutPlace::SendTo, linkPath, IsToolsShortcut);
}

// Registers the entry at the chosen place and removes an entry of the other kind. An executable
// whose path the code page cannot hold exactly registers nothing: a command naming another file
// is worse than none.
[[noreturn]] void Install() {
    TInstallerState& s = Installer;
    if (s.ExecutablePath.empty()) {
        End();
    }
    s.MenuCaption = qm::api::ReadWindowText(s.MenuNameEdit);
    if (s.MenuCaption.empty()) {
        s.MenuCaption = DefaultMenuCaption;
        qm::api::WriteWindowText(s.MenuNameEdit, s.MenuCaption);
    }
    if (qm::api::ReadButtonCheck(s.ContextRadio) == BST_CHECKED) {
        RegWriteText(HKEY_CURRENT_USER, VerbKeyPath, {}, s.MenuCaption);
        RegWriteText(HKEY_CURRENT_USER, VerbKeyPath, IconValueName, VerbIconText(s.ExecutablePath));
        RegWriteText(HKEY_CURRENT_USER, CommandKeyPath(), {}, VerbCommandText(s.ExecutablePath));
        RemoveRecordedShortcut();
    }
    if (qm::api::ReadButtonCheck(s.SendToRadio) == BST_CHECKED) {
        std::u16string linkPath;
        if (MakeSendToShortcut(s.MenuCaption, linkPath)) {
            RegWriteText(HKEY_CURRENT_USER, OwnKeyPath, {}, qm::api::ToAnsi(linkPath));
            RemoveVerb();
        }
    }
    End();
}

// Removes both kinds of entry; the edit and the radio buttons are not looked at.
[[noreturn]] void Uninstall() {
    RemoveRecordedShortcut();
    RemoveVerb();
    End();
}

// The window was closed: nothing is written.
[[noreturn]] void Close() {
    End();
}

}  // namespace

LRESULT CALLBACK InstallerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The buttons are told apart by their handles. A command without a control (lParam 0, as from
    // a menu or an accelerator) must not match a button that could not be created.
    const auto control = reinterpret_cast<HWND>(lParam);
    if (message == WM_COMMAND && control != nullptr && control == Installer.InstallButton) {
        Install();
    }
    if (message == WM_COMMAND && control != nullptr && control == Installer.UninstallButton) {
        Uninstall();
    }
    if (message == WM_DESTROY) {
        Close();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qm::installer
