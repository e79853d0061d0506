#pragma once
// The installer window's fixed frame: its styles, its place on the screen and its seven controls.
// Pixels, not scaled for the display's DPI.

#include <array>
#include <cstdint>
#include <string_view>

namespace qm::installer {

inline constexpr int WindowWidth = 222;
inline constexpr int WindowBaseHeight = 150;

// WS_EX_TOPMOST | WS_EX_WINDOWEDGE.
inline constexpr uint32_t WindowExStyle = 0x00000108;
// WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU and the class-less bit 0x0800: a title bar with
// a close box, no minimise or maximise box, no sizing border.
inline constexpr uint32_t WindowStyle = 0x90C80800;
// CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_PARENTDC.
inline constexpr uint32_t ClassStyle = 0x00C3;

struct TWindowPlace {
    int X;
    int Y;
    int Width;
    int Height;
};

// Where the window goes, from the system metrics SM_CXFULLSCREEN, SM_CYFULLSCREEN, SM_CYSIZE and
// SM_CYMIN. Horizontally centred; vertically centred on the base height less a caption button and
// a minimum window, so the window sits somewhat low. Divisions truncate toward zero.
TWindowPlace WindowPlaceFor(int fullScreenWidth, int fullScreenHeight, int captionButtonHeight, int minWindowHeight);

// One control: window class, text (empty for the edit, which shows the caption), style and its
// rectangle in the window's client coordinates.
struct TControlRow {
    std::string_view ClassName;
    std::string_view Text;
    uint32_t Style;
    int X;
    int Y;
    int Width;
    int Height;
};

// The seven controls in creation order, which is also the order the font is given to them.
enum ControlIndex : size_t {
    InstallIndex,
    UninstallIndex,
    LabelIndex,
    EditIndex,
    GroupIndex,
    ContextIndex,
    SendToIndex,
    ControlCount
};

// WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | BS_PUSHLIKE: starts disabled.
inline constexpr uint32_t PushButtonStyle = 0x58011000;
// WS_CHILD | WS_VISIBLE | SS_CENTER.
inline constexpr uint32_t LabelStyle = 0x50000001;
// WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_CENTER; no ES_AUTOHSCROLL.
inline constexpr uint32_t EditStyle = 0x50810001;
// WS_CHILD | WS_VISIBLE | BS_GROUPBOX: only frames the radio buttons, which are the window's.
inline constexpr uint32_t GroupStyle = 0x50000007;
// WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON; no WS_GROUP, so the two exclude each other.
inline constexpr uint32_t RadioStyle = 0x50010009;

inline constexpr std::array<TControlRow, ControlCount> Controls = {{
    {"Button", "Install", PushButtonStyle, 6, 5, 100, 25},
    {"Button", "Uninstall", PushButtonStyle, 110, 5, 100, 25},
    {"Static", "Menu Name:", LabelStyle, 6, 35, 202, 21},
    {"Edit", "", EditStyle, 6, 55, 202, 21},
    {"Button", "[Menu Location]", GroupStyle, 6, 85, 202, 51},
    {"Button", "Context", RadioStyle, 20, 105, 75, 21},
    {"Button", "SendTo", RadioStyle, 120, 105, 75, 21},
}};

}  // namespace qm::installer
