#pragma once
// Drives the real tidyreel.exe from a test program: starts it, answers its message boxes or works
// its installer window from outside, and reads the files it works on.

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qm::test {

struct TMessageBox {
    std::string Title;
    std::string Text;
    std::vector<std::string> Buttons;
};

struct TRunReport {
    bool Ended = false;  // within the time limit; otherwise the process was terminated
    DWORD ExitCode = 0;
    std::vector<TMessageBox> Boxes;  // every box shown, in order; each answered with OK
};

// tidyreel.exe beside the running test program.
std::string TidyreelPath();
std::string Quoted(const std::string& argument);

// Starts every program with its command-line tail at once (as Explorer does for several folders),
// answers each box with OK and waits for every process to end.
std::vector<TRunReport> RunAnsweringBoxes(const std::vector<std::pair<std::string, std::string>>& runs);
TRunReport RunAnsweringBoxes(const std::string& program, const std::string& commandLineTail);

struct TControlView {
    HWND Handle = nullptr;
    std::string ClassName;
    std::string Text;
    DWORD Style = 0;
    bool Enabled = false;
    LRESULT Check = 0;
    RECT Rect{};  // in the parent's client coordinates
};

struct TWindowView {
    std::string ClassName;
    std::string Title;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    RECT Rect{};
    std::vector<TControlView> Controls;  // in creation order
};

TWindowView ReadWindow(HWND window);

// tidyreel.exe started without arguments, once its installer window waits for input; terminated
// on destruction if it still runs.
class TInstallerRun {
public:
    TInstallerRun();
    ~TInstallerRun();
    TInstallerRun(const TInstallerRun&) = delete;
    TInstallerRun& operator=(const TInstallerRun&) = delete;

    HWND Window() const { return window_; }
    HWND Control(size_t index) const { return ReadWindow(window_).Controls.at(index).Handle; }
    void SetText(size_t index, const std::string& text) const;
    void Click(size_t index) const;  // also reaches a disabled button, as its own click would
    void Close() const;
    TRunReport Wait();

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Files below a fresh temporary folder, reached through \\?\ so that names such as CON work.
// Paths given as UTF-8 text.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    std::string Path() const;  // plain, without the prefix
    std::string operator/(const std::string& relative) const { return Path() + "\\" + relative; }

private:
    std::filesystem::path path_;
};

std::filesystem::path LongPath(const std::string& utf8);
bool WriteBytes(const std::string& path, const std::string& bytes);  // parent folders are made
std::string ReadBytes(const std::string& path);

// Every entry below root by its relative UTF-8 path: a file's content, or "<dir>".
using TTree = std::map<std::string, std::string>;
TTree Snapshot(const std::string& root);

}  // namespace qm::test
