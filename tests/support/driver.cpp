#include "support/driver.h"

#include <psapi.h>

#include <algorithm>

namespace qm::test {

namespace {

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// WM_GETTEXT is marshalled across processes, unlike a plain read of the stored caption.
std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return {};
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

struct TWindowSearch {
    DWORD ProcessId;
    const char* ClassName;
    HWND Found;
};

// The first visible top-level window of the process with the class name.
BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TWindowSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->ProcessId && IsWindowVisible(window) && ClassOf(window) == search->ClassName) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM data) {
    auto* box = reinterpret_cast<TMessageBox*>(data);
    const std::string className = ClassOf(child);
    if (className == "Button") {
        box->Buttons.push_back(TextOf(child));
    } else if (className == "Static") {
        // The icon is a static without text; the message is the static that has one.
        const std::string text = TextOf(child);
        if (!text.empty()) {
            box->Text += text;
        }
    }
    return TRUE;
}

TMessageBox ReadBox(HWND window) {
    TMessageBox box;
    box.Title = TextOf(window);
    EnumChildWindows(window, ReadBoxChild, reinterpret_cast<LPARAM>(&box));
    return box;
}

bool StartProcess(const std::string& program, const std::string& commandLineTail, PROCESS_INFORMATION& process) {
    std::string commandLine = Quoted(program);
    if (!commandLineTail.empty()) {
        commandLine += " ";
        commandLine += commandLineTail;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    process.hThread = nullptr;
    return true;
}

// Waits up to timeoutMs for the end, terminates the process otherwise, and fills the report.
void FinishProcess(PROCESS_INFORMATION& process, DWORD timeoutMs, TRunReport& report) {
    report.Ended = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (!report.Ended) {
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &report.ExitCode);
    CloseHandle(process.hProcess);
    process.hProcess = nullptr;
}

// Rectangle of a child in its parent's client coordinates.
RECT ClientRectOf(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TControlView ReadControl(HWND child, HWND parent) {
    TControlView control;
    control.Handle = child;
    control.ClassName = ClassOf(child);
    control.Text = TextOf(child);
    control.Style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    control.Enabled = IsWindowEnabled(child) != FALSE;
    if (control.ClassName == "Button") {
        DWORD_PTR check = 0;
        SendMessageTimeoutA(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &check);
        control.Check = static_cast<LRESULT>(check);
    }
    control.Rect = ClientRectOf(child, parent);
    return control;
}

}  // namespace

std::string TidyreelPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\') + 1);
    return folder + "tidyreel.exe";
}

std::string CopyTidyreelTo(const std::string& folder) {
    std::string copy = folder;
    copy += "\\tidyreel.exe";
    return CopyFileA(TidyreelPath().c_str(), copy.c_str(), TRUE) ? copy : std::string();
}

std::string Quoted(const std::string& argument) {
    return "\"" + argument + "\"";
}

TRunReport RunAnsweringBoxes(const std::string& program, const std::string& commandLineTail, DWORD timeoutMs) {
    TRunReport report;
    PROCESS_INFORMATION process{};
    if (!StartProcess(program, commandLineTail, process)) {
        return report;
    }
    report.Started = true;

    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND answered = nullptr;
    while (GetTickCount64() < deadline) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            break;
        }
        TWindowSearch search{process.dwProcessId, "#32770", nullptr};
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.Found != nullptr && search.Found != answered) {
            // The run's work is done while its summary is up, and the process still exists.
            PROCESS_MEMORY_COUNTERS memory{};
            if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
                report.PeakWorkingSetBytes = memory.PeakWorkingSetSize;
                report.PeakPagefileBytes = memory.PeakPagefileUsage;
            }
            report.Boxes.push_back(ReadBox(search.Found));
            PostMessageA(search.Found, WM_COMMAND, IDOK, 0);
            answered = search.Found;
        }
    }
    FinishProcess(process, 0, report);
    return report;
}

TWindowView ReadWindow(HWND window) {
    TWindowView view;
    view.Handle = window;
    view.ClassName = ClassOf(window);
    view.Title = TextOf(window);
    view.Style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    view.ExStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    GetWindowRect(window, &view.Rect);
    // Siblings run from the first made to the last made.
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        view.Controls.push_back(ReadControl(child, window));
    }
    return view;
}

TInstallerRun::TInstallerRun(DWORD timeoutMs) {
    if (!StartProcess(TidyreelPath(), {}, process_)) {
        return;
    }
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (window_ == nullptr && GetTickCount64() < deadline) {
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) {
            return;
        }
        TWindowSearch search{process_.dwProcessId, "Quillmoors_UI_CLASS", nullptr};
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        window_ = search.Found;
    }
    // The window is visible before its controls are made and preset: wait until the program sits
    // in its message loop.
    if (window_ != nullptr) {
        WaitForInputIdle(process_.hProcess, static_cast<DWORD>(deadline - std::min(deadline, GetTickCount64())));
    }
}

TInstallerRun::~TInstallerRun() {
    if (process_.hProcess != nullptr) {
        TRunReport ignored;
        FinishProcess(process_, 0, ignored);
    }
}

TWindowView TInstallerRun::Read() const {
    return ReadWindow(window_);
}

void TInstallerRun::SetText(HWND control, const std::string& text) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
}

void TInstallerRun::Click(HWND control) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void TInstallerRun::Close() const {
    PostMessageA(window_, WM_CLOSE, 0, 0);
}

TRunReport TInstallerRun::Wait(DWORD timeoutMs) {
    TRunReport report;
    if (process_.hProcess == nullptr) {
        return report;
    }
    report.Started = true;
    FinishProcess(process_, timeoutMs, report);
    return report;
}

}  // namespace qm::test
