#include "support/driver.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

namespace qm::test {

namespace fs = std::filesystem;

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// How long a run, or a window, is waited for: ample for a first start in a new Wine prefix, and
// short enough that a test names what hung well before ctest's limit ends it unnamed.
constexpr DWORD kPatienceMs = 30000;

// Messages to another process's window, which is given five seconds to answer.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// WM_GETTEXT is marshalled across processes, unlike a read of the stored caption.
std::string TextOf(HWND window) {
    std::string text(static_cast<size_t>(Send(window, WM_GETTEXTLENGTH)) + 1, '\0');
    text.resize(static_cast<size_t>(Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// The process's visible top-level window of that class. The windows are listed by one EnumWindows
// call, not walked with FindWindowEx: Wine 10's server loops for ever on a FindWindowEx that goes on
// after a window its program is destroying, as an answered box of another run can be by then.
HWND WindowOf(DWORD processId, const char* className) {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) { return reinterpret_cast<std::vector<HWND>*>(list)->push_back(window), TRUE; },
        reinterpret_cast<LPARAM>(&windows));
    for (const HWND window : windows) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && ClassOf(window) == className && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

const auto FromUtf8 = [](const std::string& text) { return fs::path(reinterpret_cast<const char8_t*>(text.c_str())); };

// Started through the UTF-16 interface, as Explorer starts it, so that any name arrives as it is.
PROCESS_INFORMATION Start(const std::string& program, const std::string& commandLineTail, DWORD flags) {
    std::wstring line = FromUtf8(Quoted(program) + " " + commandLineTail);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    CreateProcessW(FromUtf8(program).c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                   &process);
    return process;
}

// Waits for the end, terminating the process when it does not come in time; a run that did not end
// says so on the test's output, naming what was started and what it was waiting for.
TRunReport Finish(HANDLE& process, DWORD timeoutMs, const std::string& what, TRunReport report = {}) {
    if (process != nullptr) {
        report.Ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
        TerminateProcess(process, 255);
        WaitForSingleObject(process, 5000);
        GetExitCodeProcess(process, &report.ExitCode);
        CloseHandle(std::exchange(process, nullptr));
        if (!report.Ended) {
            std::fprintf(stderr, "%s: did not end in time (%zu boxes answered), terminated\n", what.c_str(),
                         report.Boxes.size());
        }
    }
    return report;
}

}  // namespace

std::string TidyreelPath() {
    if (const char* chosen = std::getenv("TIDYREEL_EXE"); chosen != nullptr && *chosen != '\0') {
        return chosen;
    }
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path);
    return self.substr(0, self.rfind('\\') + 1) + "tidyreel.exe";
}

std::vector<TRunReport> RunAnsweringBoxes(const std::vector<std::pair<std::string, std::string>>& runs) {
    std::vector<PROCESS_INFORMATION> processes;
    for (const auto& [program, tail] : runs) {
        processes.push_back(Start(program, tail, CREATE_SUSPENDED));
    }
    // All at once, as close together as Explorer's runs for a selection can come.
    for (const auto& process : processes) {
        ResumeThread(process.hThread);
        CloseHandle(process.hThread);
    }
    std::vector<TRunReport> reports(runs.size());
    std::vector<HWND> answered(runs.size());
    const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
    for (bool running = true; running && GetTickCount64() < deadline; Sleep(20)) {
        running = false;
        for (size_t i = 0; i < runs.size(); ++i) {
            if (processes[i].hProcess == nullptr || WaitForSingleObject(processes[i].hProcess, 0) == WAIT_OBJECT_0) {
                continue;
            }
            running = true;
            const HWND box = WindowOf(processes[i].dwProcessId, "#32770");
            if (box != nullptr && box != answered[i]) {
                std::string buttons, text;
                for (const TControlView& control : ControlsOf(box)) {
                    // The message is the one static with a text.
                    (control.ClassName == "Button" ? buttons : text) += control.Text;
                }
                reports[i].Boxes.push_back(TextOf(box) + "|" + text + "|" + buttons);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                answered[i] = box;
            }
        }
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        reports[i] = Finish(processes[i].hProcess, 0, Quoted(runs[i].first) + " " + runs[i].second, reports[i]);
    }
    return reports;
}

std::vector<TControlView> ControlsOf(HWND window) {
    std::vector<TControlView> controls;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        controls.push_back(
            {ClassOf(child), TextOf(child), IsWindowEnabled(child) != FALSE, Send(child, BM_GETCHECK), child});
    }
    return controls;
}

TInstallerRun::TInstallerRun(const std::string& program) : program_(program), process_(Start(program, "", 0)) {
    CloseHandle(process_.hThread);
    // The window shows before its seven controls are made and preset, and Wine may call a program idle
    // while it maps its first window; in a fresh prefix the first can take many seconds to get there.
    const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
    while (process_.hProcess != nullptr && GetTickCount64() < deadline &&
           WaitForSingleObject(process_.hProcess, 20) == WAIT_TIMEOUT &&
           (window_ == nullptr || WaitForInputIdle(process_.hProcess, 0) != 0 || ControlsOf(window_).size() < 7)) {
        window_ = WindowOf(process_.dwProcessId, "Quillmoors_UI_CLASS");
    }
    if (window_ == nullptr || ControlsOf(window_).size() < 7) {
        std::fprintf(stderr, "%s started without arguments: no Quillmoors_UI_CLASS window waiting for input\n",
                     program_.c_str());
    }
}

void TInstallerRun::SetText(size_t control, const std::string& text) const {
    Send(Controls().at(control).Handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TInstallerRun::Click(size_t control) const {
    // Not BM_CLICK, which Windows may lose on a window that is not active, and a test program cannot
    // always make it active. The window gets what a real click gives it: an automatic radio button
    // takes the check from the others, and the parent is told BN_CLICKED with the button's handle.
    const HWND button = Controls().at(control).Handle;
    const auto isRadio = [](HWND h) { return (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON; };
    for (const TControlView& other : Controls()) {
        if (isRadio(button) && isRadio(other.Handle)) {
            Send(other.Handle, BM_SETCHECK, other.Handle == button ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    Send(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

TRunReport TInstallerRun::Wait() {
    return Finish(process_.hProcess, kPatienceMs, Quoted(program_) + " (the installer window)");
}

THolder::THolder(const std::string& writing, const std::string& seeding)
    : writing_(CreateFileW(LongPath(writing).c_str(), GENERIC_READ | FILE_APPEND_DATA, kShareAll, nullptr,
                           OPEN_EXISTING, 0, nullptr)),
      seeding_(CreateFileW(LongPath(seeding).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr)),
      writer_([this] {
          const std::string block(64, 'w');
          DWORD done = 0;
          while (!stop_ && WriteFile(writing_, block.data(), static_cast<DWORD>(block.size()), &done, nullptr)) {
              written_ += block;
              Sleep(10);
          }
      }) {}

std::string THolder::Release() {
    if (writer_.joinable()) {
        stop_ = true;
        writer_.join();
        CloseHandle(writing_);
        CloseHandle(seeding_);
    }
    return written_;
}

TTempFolder::TTempFolder() {
    // A name no earlier run has left: Wine gives its processes the same few ids again and again.
    static int made = 0;
    const fs::path base = fs::temp_directory_path() / ("tidyreel-" + std::to_string(GetCurrentProcessId()) + "-");
    while (!fs::create_directory(path_ = base.string() + std::to_string(++made))) {
    }
}

fs::path LongPath(const std::string& path) {
    return fs::path(L"\\\\?\\") += FromUtf8(path);
}

bool MakeFileLink(const std::string& path, const std::string& target) {
    CreateSymbolicLinkW(FromUtf8(path).c_str(), FromUtf8(target).c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    return GetFileAttributesW(FromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    const fs::path file = LongPath(path);
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    std::ofstream out(file, std::ios::binary);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(LongPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TTree Snapshot(const std::string& root) {
    TTree tree;
    const size_t base = LongPath(root).native().size() + 1;
    for (const auto& entry : fs::recursive_directory_iterator(LongPath(root))) {
        const std::u8string relative = fs::path(entry.path().native().substr(base)).u8string();
        const std::string path(relative.begin(), relative.end());
        tree[path] = entry.is_directory() ? "<dir>" : ReadBytes(root + "\\" + path);
    }
    return tree;
}

}  // namespace qm::test
