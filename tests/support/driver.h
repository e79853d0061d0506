#pragma once
// Drives the real tidyreel.exe from a test program: starts it, answers its message boxes or works
// its installer window from outside, and reads the files it works on.

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace qm::test {

struct TRunReport {
    bool Ended = false;  // by itself, in time
    DWORD ExitCode = 0;
    std::vector<std::string> Boxes;  // "title|text|buttons" of every box shown; each answered with OK
    bool Clean() const { return Ended && ExitCode == 0; }
};

std::string TidyreelPath();  // TIDYREEL_EXE when set, else tidyreel.exe beside the running program
inline std::string Quoted(const std::string& argument) {
    return "\"" + argument + "\"";
}

// Starts every program with its command-line tail (UTF-8) together, as Explorer does for several
// folders, answers each box with OK and waits for every process to end.
std::vector<TRunReport> RunAnsweringBoxes(const std::vector<std::pair<std::string, std::string>>& runs);

struct TControlView {
    std::string ClassName;
    std::string Text;
    bool Enabled = false;
    LRESULT Check = 0;
    HWND Handle = nullptr;
};

// A window's controls in creation order.
std::vector<TControlView> ControlsOf(HWND window);

// tidyreel.exe (or a copy) started without arguments, once its window waits for input.
class TInstallerRun {
public:
    explicit TInstallerRun(const std::string& program = TidyreelPath());
    ~TInstallerRun() { Wait(); }
    TInstallerRun(const TInstallerRun&) = delete;
    TInstallerRun& operator=(const TInstallerRun&) = delete;
    HWND Window() const { return window_; }
    std::vector<TControlView> Controls() const { return ControlsOf(window_); }
    void SetText(size_t control, const std::string& text) const;
    void Click(size_t control) const;
    void Close() const { PostMessageA(window_, WM_CLOSE, 0, 0); }
    TRunReport Wait();  // terminates the process if it does not end in time

private:
    std::string program_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Holds writing and seeding as downloaders do, from the constructor until Release: 'w's are appended
// to writing every 10 ms through a handle shared for reading, writing and deleting, and seeding is
// held for reading with the same sharing (which is checked per handle, whatever the process).
class THolder {
public:
    THolder(const std::string& writing, const std::string& seeding);
    ~THolder() { Release(); }
    THolder(const THolder&) = delete;
    THolder& operator=(const THolder&) = delete;
    std::string Release();  // lets go of both files; returns what was appended to writing

private:
    HANDLE writing_;
    HANDLE seeding_;
    std::atomic<bool> stop_ = false;
    std::string written_;
    std::thread writer_;
};

// Files by UTF-8 path, reached through \\?\ so that any name (CON, a trailing dot) works.
std::filesystem::path LongPath(const std::string& path);

// A new temporary folder, removed with its content.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder() { std::filesystem::remove_all(LongPath(path_), ignored_); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
    std::error_code ignored_;
};

bool WriteBytes(const std::string& path, const std::string& bytes);  // makes missing folders
// A symbolic link at path to the file target; whether it is there afterwards (Wine reports one made
// and makes none).
bool MakeFileLink(const std::string& path, const std::string& target);
std::string ReadBytes(const std::string& path);
// Every entry below root by its relative path: a file's content, or "<dir>".
using TTree = std::map<std::string, std::string>;
TTree Snapshot(const std::string& root);

}  // namespace qm::test
