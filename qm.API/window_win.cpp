#include "qm.API/window.h"

namespace qm::api {

namespace {

// WM_GETTEXT buffer: 1024 characters and the terminating NUL.
constexpr WPARAM TextBufferSize = 1025;

}  // namespace

HWND NewWindow(std::string_view className, std::string_view text, DWORD style, int x, int y, int width, int height,
               HWND parent, HMENU menu, HINSTANCE instance, void* param) {
    const std::string classText(className);
    const std::string windowText(text);
    return CreateWindowExA(0, classText.c_str(), windowText.c_str(), style, x, y, width, height, parent, menu, instance,
                           param);
}

std::string ReadWindowText(HWND window) {
    char buffer[TextBufferSize] = {};
    SendMessageA(window, WM_GETTEXT, TextBufferSize, reinterpret_cast<LPARAM>(buffer));
    buffer[TextBufferSize - 1] = '\0';
    return buffer;
}

void WriteWindowText(HWND window, std::string_view text) {
    const std::string terminated(text);
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
}

int ReadButtonCheck(HWND button) {
    return static_cast<int>(SendMessageA(button, BM_GETCHECK, 0, 0));
}

void WriteButtonCheck(HWND button, int32_t state) {
    SendMessageA(button, BM_SETCHECK, static_cast<WPARAM>(static_cast<intptr_t>(state)), 0);
}

}  // namespace qm::api
