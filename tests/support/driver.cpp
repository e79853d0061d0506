#include "support/driver.h"

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

struct TBoxSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindBoxOfProcess(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TBoxSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->ProcessId && IsWindowVisible(window) && ClassOf(window) == "#32770") {
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
    std::string commandLine = Quoted(program);
    if (!commandLineTail.empty()) {
        commandLine += " " + commandLineTail;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return report;
    }
    report.Started = true;
    CloseHandle(process.hThread);

    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND answered = nullptr;
    while (GetTickCount64() < deadline) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            report.Ended = true;
            break;
        }
        TBoxSearch search{process.dwProcessId, nullptr};
        EnumWindows(FindBoxOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.Found != nullptr && search.Found != answered) {
            report.Boxes.push_back(ReadBox(search.Found));
            PostMessageA(search.Found, WM_COMMAND, IDOK, 0);
            answered = search.Found;
        }
    }
    if (!report.Ended) {
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &report.ExitCode);
    CloseHandle(process.hProcess);
    return report;
}

TRunReport RunTidyreel(const std::string& commandLineTail, DWORD timeoutMs) {
    return RunAnsweringBoxes(TidyreelPath(), commandLineTail, timeoutMs);
}

}  // namespace qm::test
