// do_nothing.exe: a GUI program that shows an empty message box at once and ends, the yardstick
// of the start-up benchmark: what any program built like tidyreel.exe pays to start under the
// platform and to show its first box.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "", "Do nothing", MB_OK);
    return 0;
}
