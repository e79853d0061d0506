#pragma once
// Thin 8-bit wrappers over the window calls the installer makes: creation, caption texts and
// button check states.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::api {

// CreateWindowExA with extended style 0; every other argument as given. Null on failure.
HWND NewWindow(std::string_view className, std::string_view text, DWORD style, int x, int y, int width, int height,
               HWND parent, HMENU menu, HINSTANCE instance, void* param);

// The window's text through WM_GETTEXT, at most 1024 characters (up to its first NUL).
std::string ReadWindowText(HWND window);
// Sets the window's text through WM_SETTEXT; the text ends at its first NUL.
void WriteWindowText(HWND window, std::string_view text);

// BM_GETCHECK: 1 (BST_CHECKED) means checked.
int ReadButtonCheck(HWND button);
// BM_SETCHECK with the given state (0 or 1 in this program).
void WriteButtonCheck(HWND button, int32_t state);

}  // namespace qm::api
