#pragma once
// What the installer window's buttons and close box do. Each of the three ends the process with
// exit code 0, so one start of the installer performs at most one action.

#include <windows.h>

namespace qm::installer {

// Install or Uninstall for a click on those buttons (told apart by handle), Close when the window
// is destroyed; every other message goes to the default procedure.
LRESULT CALLBACK InstallerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qm::installer
