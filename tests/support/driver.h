#pragma once
// Drives the real tidyreel.exe from another process: starts it, finds the message boxes it shows,
// reads them, presses OK and reports how the process ended; or finds its installer window, reads
// its controls, types, clicks and closes it.

#include <windows.h>

#include <string>
#include <vector>

namespace qm::test {

struct TMessageBox {
    std::string Title;
    std::string Text;                  // the message, exactly as shown (CR LF line breaks)
    std::vector<std::string> Buttons;  // button captions in window order
};

struct TRunReport {
    bool Started = false;  // the process could be created
    bool Ended = false;    // it ended within the time limit (otherwise it was terminated)
    DWORD ExitCode = 0;
    std::vector<TMessageBox> Boxes;  // every message box shown, in order; each was answered with OK
    // The process's peak memory as the platform counts it, read while its last box was up (0 when
    // it showed none): the most physical memory it held, and the most memory it committed.
    SIZE_T PeakWorkingSetBytes = 0;
    SIZE_T PeakPagefileBytes = 0;
};

// tidyreel.exe from the folder of the running test executable.
std::string TidyreelPath();

// Copies tidyreel.exe into folder, so that a test owns the settings file beside it; returns the
// copy's path, or "" when it could not be made.
std::string CopyTidyreelTo(const std::string& folder);

// Quotes one argument for the tool's command line (no quote may occur inside it).
std::string Quoted(const std::string& argument);

// Runs `program` with the raw command-line tail appended after its quoted path, answering every
// message box with OK, and waits at most timeoutMs for the process to end.
TRunReport RunAnsweringBoxes(const std::string& program, const std::string& commandLineTail, DWORD timeoutMs = 30000);

// One child window as another process sees it.
struct TControlView {
    HWND Handle = nullptr;
    std::string ClassName;
    std::string Text;  // the whole text, however long
    DWORD Style = 0;
    bool Enabled = false;
    LRESULT Check = 0;  // BM_GETCHECK (0 for controls that are no buttons)
    RECT Rect{};        // the window rectangle in the parent's client coordinates
};

// A top-level window and its children in creation order.
struct TWindowView {
    HWND Handle = nullptr;
    std::string ClassName;
    std::string Title;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    RECT Rect{};  // screen coordinates
    std::vector<TControlView> Controls;
};

// tidyreel.exe started without arguments, and the installer window it opens. The process is
// terminated on destruction if it is still running.
class TInstallerRun {
public:
    // Starts the program and waits (bounded) until its window of class "Quillmoors_UI_CLASS" is up
    // and the program waits for input.
    explicit TInstallerRun(DWORD timeoutMs = 15000);
    ~TInstallerRun();
    TInstallerRun(const TInstallerRun&) = delete;
    TInstallerRun& operator=(const TInstallerRun&) = delete;

    // Null when no window appeared in time.
    HWND Window() const { return window_; }
    TWindowView Read() const;

    // WM_SETTEXT, handled before it returns.
    void SetText(HWND control, const std::string& text) const;
    // BM_CLICK (a press and release of the mouse button), handled before it returns, or the
    // program ended while handling it.
    void Click(HWND control) const;
    // WM_CLOSE posted, as the close box sends it.
    void Close() const;
    // Waits for the process to end (terminating it after timeoutMs) and reports how it ended.
    TRunReport Wait(DWORD timeoutMs = 15000);

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Reads a window and its children from outside its process.
TWindowView ReadWindow(HWND window);

}  // namespace qm::test
