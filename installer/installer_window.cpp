#include "installer/installer_window.h"

#include <array>
#include <optional>

#include "installer/actions.h"
#include "installer/fixed_values.h"
#include "installer/layout.h"
#include "installer/preset.h"
#include "qm.API/files.h"
#include "qm.API/process.h"
#include "qm.API/registry.h"
#include "qm.API/shortcut.h"
#include "qm.API/window.h"

namespace qm::installer {

TInstallerState Installer;

namespace {

using qm::api::RegReadText;
using qm::api::WriteButtonCheck;

// A control's handle among the installer's state.
using TControlHandle = HWND TInstallerState::*;

// The control handles in creation order, which is also the order the font is given out in.
constexpr std::array<TControlHandle, ControlCount> ControlHandles = {
    &TInstallerState::InstallButton, &TInstallerState::UninstallButton, &TInstallerState::MenuNameLabel,
    &TInstallerState::MenuNameEdit,  &TInstallerState::LocationGroup,   &TInstallerState::ContextRadio,
    &TInstallerState::SendToRadio,
};

// Makes the controls first..last-1 of the layout; the edit shows the menu caption.
void CreateControls(size_t first, size_t last) {
    for (size_t i = first; i < last; ++i) {
        const TControlRow& row = Controls[i];
        const std::string_view text = i == EditIndex ? std::string_view(Installer.MenuCaption) : row.Text;
        Installer.*ControlHandles[i] = qm::api::NewWindow(row.ClassName, text, row.Style, row.X, row.Y, row.Width,
                                                          row.Height, Installer.InstallerWindow, nullptr,
                                                          Installer.Instance, nullptr);
    }
}

// Something of this executable is registered: its place is checked and only Uninstall is offered.
void ShowRegistered(int32_t contextCheck, int32_t sendToCheck) {
    TInstallerState& s = Installer;
    WriteButtonCheck(s.ContextRadio, contextCheck);
    WriteButtonCheck(s.SendToRadio, sendToCheck);
    EnableWindow(s.InstallButton, FALSE);
    EnableWindow(s.UninstallButton, TRUE);
}

// Enables only the action that makes sense for what is registered; the calls keep their order.
void ApplyPreset(const TPreset& preset) {
    TInstallerState& s = Installer;
    switch (preset.Case) {
        case PresetCase::ContextEntry:
            ShowRegistered(BST_CHECKED, BST_UNCHECKED);
            break;
        case PresetCase::SendToEntry:
            qm::api::WriteWindowText(s.MenuNameEdit, preset.ShortcutCaption);
            ShowRegistered(BST_UNCHECKED, BST_CHECKED);
            break;
        case PresetCase::NothingYet:
            EnableWindow(s.InstallButton, TRUE);
            WriteButtonCheck(s.ContextRadio, BST_CHECKED);
            break;
    }
}

TPreset ReadPreset() {
    return DecidePreset(
        RegReadText(HKEY_CURRENT_USER, CommandKeyPath(), {}), Installer.ExecutablePath,
        [] { return RegReadText(HKEY_CURRENT_USER, OwnKeyPath, {}); },
        qm::api::ShortcutFolder(qm::api::ShortcutPlace::SendTo), PointsHere);
}

}  // namespace

void CreateInstallerWindow() {
    TInstallerState& s = Installer;
    s.Instance = GetModuleHandleA(nullptr);
    s.ExecutablePath = qm::api::ExecutablePath();

    // The fixed names are literals, so their views end in a NUL.
    s.WindowClass = WNDCLASSA{};
    s.WindowClass.style = ClassStyle;
    s.WindowClass.lpfnWndProc = InstallerWindowProc;
    s.WindowClass.hInstance = s.Instance;
    s.WindowClass.hIcon = LoadIconA(s.Instance, "MAINICON");
    s.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    s.WindowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    s.WindowClass.lpszMenuName = "";
    s.WindowClass.lpszClassName = WindowClassName.data();
    RegisterClassA(&s.WindowClass);

    const TWindowPlace place = WindowPlaceFor(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
                                              GetSystemMetrics(SM_CYSIZE), GetSystemMetrics(SM_CYMIN));
    s.InstallerWindow = CreateWindowExA(WindowExStyle, WindowClassName.data(), WindowCaption.data(), WindowStyle,
                                        place.X, place.Y, place.Width, place.Height, nullptr, nullptr, s.Instance,
                                        nullptr);
    if (s.InstallerWindow == nullptr) {
        UnregisterClassA(WindowClassName.data(), s.Instance);
        return;
    }

    s.InstallerFont.reset(CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                      "MS Sans Serif"));
    CreateControls(InstallIndex, EditIndex);
    s.MenuCaption = MenuCaptionFrom(RegReadText(HKEY_CURRENT_USER, VerbKeyPath, {}));
    CreateControls(EditIndex, ControlCount);
    ApplyPreset(ReadPreset());

    if (s.InstallerFont) {
        for (const TControlHandle control : ControlHandles) {
            SendMessageA(s.*control, WM_SETFONT, reinterpret_cast<WPARAM>(s.InstallerFont.get()), 0);
        }
    }
}

void RunInstallerLoop() {
    TInstallerState& s = Installer;
    UpdateWindow(s.InstallerWindow);
    // Every message of the thread, not only the window's: an input method's own windows on this
    // thread (typing ソート) would otherwise never get theirs, and the window would freeze. A
    // result of -1 ends the loop as well instead of spinning on it.
    while (GetMessageA(&s.Message, nullptr, 0, 0) > 0) {
        TranslateMessage(&s.Message);
        DispatchMessageA(&s.Message);
    }
    ReleaseWindowResources();
}

bool PointsHere(std::string_view path) {
    const std::string& self = Installer.ExecutablePath;
    return !self.empty() && qm::api::IsShortcutTo(path, ShortcutTarget(self));
}

bool IsToolsShortcut(std::string_view path) {
    if (PointsHere(path)) {
        return true;
    }
    const std::optional<qm::api::TShortcutLink> link = qm::api::ReadShortcut(path);
    return link &&
           IsLeftByMovedCopy(link->Target, link->Description, Installer.ExecutablePath, qm::api::IsExistingFile);
}

void ReleaseWindowResources() {
    Installer.InstallerFont.reset();
    UnregisterClassA(WindowClassName.data(), Installer.Instance);
}

}  // namespace qm::installer
