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
    bool Ended = false;  // by itself, within the time limit
    DWORD ExitCode = 0;
    std::vector<TMessageBox> Boxes;  // every box shown, each answered with OK
    bool Clean() const { return Ended && ExitCode == 0; }
};

std::string TidyreelPath();  // beside the running test program
std::string Quoted(const std::string& argument);

// Starts every program with its command-line tail at once (as Explorer does for several folders),
// answers each box with OK and waits for every process to end.
std::vector<TRunReport> RunAnsweringBoxes(const std::vector<std::pair<std::string, std::string>>& runs);
TRunReport RunAnsweringBoxes(const std::string& program, const std::string& commandLineTail);

struct TControlView {
    std::string ClassName;
    std::string Text;
    DWORD Style = 0;
    bool Enabled = false;
    LRESULT Check = 0;
    HWND Handle = nullptr;
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

// tidyreel.exe started without arguments, once its window waits for input.
class TInstallerRun {
public:
    TInstallerRun();
    ~TInstallerRun() { Wait(); }
    TInstallerRun(const TInstallerRun&) = delete;
    TInstallerRun& operator=(const TInstallerRun&) = delete;
    TWindowView Read() const { return ReadWindow(window_); }
    void SetText(size_t control, const std::string& text) const;
    void Click(size_t control) const;
    void Close() const { PostMessageA(window_, WM_CLOSE, 0, 0); }
    TRunReport Wait();  // terminates the process if it does not end in time

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// A fresh temporary folder, removed with its content. Paths in UTF-8; files are reached through
// \\?\ so that any name (CON, non-ANSI characters) works.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

std::filesystem::path LongPath(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);  // makes missing folders
std::string ReadBytes(const std::string& path);
// Every entry below root by its relative path: a file's content, or "<dir>".
using TTree = std::map<std::string, std::string>;
TTree Snapshot(const std::string& root);

}  // namespace qm::test
