// bench_driver.exe: the Windows half of scripts/bench.py.
//
//   bench_driver.exe names <count>
//       Prints count release names of the corpus, one a line, in UTF-8: the files of a benchmark
//       folder, which the script creates on the host (Wine would search the growing folder for
//       every new name).
//   bench_driver.exe plan <folder> <plan>
//       Writes the plan of the reference mover: for every listed file of folder that tidyreel.exe
//       moves, "name TAB season folder" (UTF-8). It comes from the listing through the tool's own
//       rules, so both programs make the same folders and the same moves.
//   bench_driver.exe run <program> [arguments...]
//       Starts the program, waits until it shows its message box, presses OK and prints one line:
//       seconds from the start to the box, seconds from the start to the end of the process, the
//       seconds of the box's "Needed:" line (or -), and the box's text on one line.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings.h"
#include "bench/release_names.h"
#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "qm.API/path.h"
#include "sorter/move_target.h"
#include "support/driver.h"

namespace {

std::string Utf8(std::u16string_view wide) {
    const auto* in = reinterpret_cast<const wchar_t*>(wide.data());
    const int length = WideCharToMultiByte(CP_UTF8, 0, in, static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, in, static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

int PrintNames(size_t count) {
    for (const auto& name : qm::bench::ReleaseNames(count)) {
        std::printf("%s\n", Utf8(qm::api::ToUtf16(name)).c_str());
    }
    return 0;
}

int WritePlan(const std::u16string& folder, const std::u16string& planPath) {
    qm::api::TStrArr defaults;
    for (const char* pattern : qm::app::DefaultPatterns) {
        defaults.push_back(qm::api::ToUtf16(pattern));
    }
    const qm::sorter::TPatternSet patterns = qm::sorter::PreparePatterns(defaults);
    std::string plan;
    size_t moves = 0;
    const qm::api::TStrArr files = qm::api::ListFiles(folder, u"*.*", false);
    for (const auto& entry : files) {
        const auto move = qm::sorter::MoveTargetOf(entry, patterns);
        if (!move) {
            continue;
        }
        plan += Utf8(std::u16string_view(entry).substr(entry.find_last_of(u'\\') + 1));
        plan += '\t';
        plan += Utf8(qm::api::ToUtf16(qm::api::NameOfPath(qm::api::DropTrailingBackslash(move->Folder))));
        plan += '\n';
        ++moves;
    }
    const HANDLE out = CreateFileW(Wide(planPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr);
    DWORD written = 0;
    const bool saved = out != INVALID_HANDLE_VALUE &&
                       WriteFile(out, plan.data(), static_cast<DWORD>(plan.size()), &written, nullptr) &&
                       written == plan.size();
    if (out != INVALID_HANDLE_VALUE) {
        CloseHandle(out);
    }
    std::printf("%zu files, %zu to move\n", files.size(), moves);
    return saved ? 0 : 1;
}

struct TBoxSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TBoxSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (processId == search->ProcessId && IsWindowVisible(window) && std::string(className) == "#32770") {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND BoxOf(DWORD processId) {
    TBoxSearch search{processId, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int RunProgram(const std::string& commandLine) {
    LARGE_INTEGER frequency{}, start{}, boxShown{}, ended{};
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start: %s\n", commandLine.c_str());
        return 1;
    }
    CloseHandle(process.hThread);

    // The process waits for input first in the message box's loop: no polling, which would take
    // the platform's time from the program being timed. Should it go idle earlier, the box is
    // looked for until it is there.
    WaitForInputIdle(process.hProcess, 600000);
    QueryPerformanceCounter(&boxShown);
    HWND box = BoxOf(process.dwProcessId);
    while (box == nullptr && WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
        box = BoxOf(process.dwProcessId);
        QueryPerformanceCounter(&boxShown);
    }
    if (box == nullptr) {
        std::printf("no message box\n");
        CloseHandle(process.hProcess);
        return 1;
    }

    std::string text;
    for (const auto& control : qm::test::ControlsOf(box)) {
        if (control.ClassName == "Static" && !control.Text.empty()) {
            text += control.Text;
        }
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitForSingleObject(process.hProcess, 60000);
    QueryPerformanceCounter(&ended);
    CloseHandle(process.hProcess);

    std::string needed = "-";
    const size_t at = text.find("Needed:");
    if (at != std::string::npos) {
        needed = text.substr(at + 7, text.find(" seconds", at) - at - 7);
        needed.erase(0, needed.find_first_not_of(' '));
    }
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\t') {
            c = ' ';
        }
    }
    std::printf("%.7f\t%.7f\t%s\t%s\n", Seconds(start, boxShown, frequency), Seconds(start, ended, frequency),
                needed.c_str(), text.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "names" && argc == 3) {
        return PrintNames(std::strtoul(argv[2], nullptr, 10));
    }
    if (command == "plan" && argc == 4) {
        return WritePlan(qm::api::ToUtf16(argv[2]), qm::api::ToUtf16(argv[3]));
    }
    if (command == "run" && argc >= 3) {
        std::string line;
        for (int i = 2; i < argc; ++i) {
            if (i > 2) {
                line += ' ';
            }
            line += qm::test::Quoted(argv[i]);
        }
        return RunProgram(line);
    }
    std::fprintf(stderr,
                 "usage: bench_driver.exe names <count> | plan <folder> <plan> | run <program> [arguments...]\n");
    return 2;
}
