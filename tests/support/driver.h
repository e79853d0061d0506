#pragma once
// Drives the real tidyreel.exe from outside: starts it, answers its boxes, works its window, reads its files.

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
inline const auto Quoted = [](const std::string& argument) { return "\"" + argument + "\""; };

// Starts every program with its command-line tail (UTF-8) at once, as Explorer does, and answers each box with OK.
std::vector<TRunReport> RunAnsweringBoxes(const std::vector<std::pair<std::string, std::string>>& runs);

struct TControlView {
    std::string ClassName, Text;
    bool Enabled = false;
    LRESULT Check = 0;
    HWND Handle = nullptr;
};

std::vector<TControlView> ControlsOf(HWND window);  // in creation order

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

// Holds writing and seeding as downloaders do until Release, both shared for reading, writing and deleting
// (sharing is checked per handle, whatever the process): 'w's are appended to writing every 10 ms.
class THolder {
public:
    THolder(const std::string& writing, const std::string& seeding);
    ~THolder() { Release(); }  // not copyable: its atomic and thread are not
    std::string Release();     // lets go of both files; returns what was appended to writing

private:
    HANDLE writing_, seeding_;
    std::atomic<bool> stop_ = false;
    std::string written_;
    std::thread writer_;
};

std::filesystem::path LongPath(const std::string& path);  // UTF-8, behind \\?\: any name (CON, "x.") works

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
// A symbolic link at path to the file target; whether it is there (Wine reports one made and makes none).
bool MakeFileLink(const std::string& path, const std::string& target);
std::string ReadBytes(const std::string& path);
using TTree = std::map<std::string, std::string>;
TTree Snapshot(const std::string& root);  // every entry below root by relative path: its content, or "<dir>"

}  // namespace qm::test
