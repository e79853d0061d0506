// tidyreel_screenshot: starts tidyreel.exe (beside this program) without arguments, copies its
// installer window from the screen into a 24-bit BMP file, and closes the window again.
// Usage: tidyreel_screenshot.exe output.bmp

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/driver.h"

namespace {

// The screen rectangle as a bottom-up 24-bit BMP: file header, info header, padded rows.
bool WriteScreenBmp(const RECT& rect, const std::string& path) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    info.biSizeImage = stride * static_cast<DWORD>(height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap != nullptr;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    if (ok) {
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + info.biSizeImage;
        FILE* out = std::fopen(path.c_str(), "wb");
        ok = out != nullptr && std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info, sizeof info, 1, out) == 1 && std::fwrite(bits, info.biSizeImage, 1, out) == 1;
        if (out != nullptr) {
            ok = std::fclose(out) == 0 && ok;
        }
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tidyreel_screenshot.exe output.bmp\n");
        return 2;
    }
    qm::test::TInstallerRun run;
    if (run.Window() == nullptr) {
        std::fprintf(stderr, "the installer window did not appear\n");
        return 1;
    }
    // Let the controls paint before the copy.
    RedrawWindow(run.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(1000);
    const qm::test::TWindowView view = run.Read();
    const bool written = WriteScreenBmp(view.Rect, argv[1]);
    run.Close();
    const qm::test::TRunReport report = run.Wait();
    if (!written) {
        std::fprintf(stderr, "the window could not be copied to %s\n", argv[1]);
        return 1;
    }
    std::printf("%ldx%ld window written to %s; tidyreel.exe exit code %lu\n", view.Rect.right - view.Rect.left,
                view.Rect.bottom - view.Rect.top, argv[1], static_cast<unsigned long>(report.ExitCode));
    return report.Ended && report.ExitCode == 0 ? 0 : 1;
}
