// Entry of tidyreel.exe: no argument starts the installer, one or more sort the folder named by
// the first; further arguments are ignored.

#include <windows.h>

#include "app/command_line.h"
#include "app/sorting_run.h"
#include "installer/installer_window.h"
#include "qm.API/handles.h"
#include "qm.API/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    qm::api::StartUp();

    // The C runtime's argv follows other quoting rules; the tool splits the line itself.
    const auto words = qm::app::SplitCommandLine(reinterpret_cast<const char16_t*>(GetCommandLineW()));
    if (words.size() >= 2) {
        qm::app::RunSortingMode(words[1]);
    } else {
        // The installer tells its own SendTo shortcut by loading it through the Shell Link object.
        const qm::api::TComApartment com;
        qm::installer::CreateInstallerWindow();
        if (qm::installer::Installer.InstallerWindow != nullptr) {
            qm::installer::RunInstallerLoop();
        }
    }
    return 0;
}
