// reference_mover.exe <folder> <plan> [movefile]: the least work a sorting run has to do, as the
// yardstick of the whole-run benchmark. It lists the folder with FindFirstFileExW (basic
// information, large fetches, as the tool does), creates each season folder once and moves each
// file the way the tool must: opened for deletion and shared with no one, then renamed through that
// handle, never over an existing file (the support library's MoveFileAlone, which does no more).
// Nothing else: no settings, no rule, no existence test. With "movefile" it moves with MoveFileW
// instead, the second yardstick, which takes files from under other programs. Where each file goes
// comes from the plan that bench_driver.exe wrote beside the folder (one "name TAB season folder"
// line per file, UTF-8), read before the clock starts. The time is shown in a message box in the
// tool's own summary form, so that all programs are timed the same way.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/summary.h"
#include "qm.API/files.h"

namespace {

// File name -> season folder name.
std::unordered_map<std::wstring, std::wstring> ReadPlan(const wchar_t* path) {
    std::unordered_map<std::wstring, std::wstring> plan;
    std::string bytes;
    if (FILE* file = _wfopen(path, L"rb")) {
        char buffer[65536];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.append(buffer, n);
        }
        std::fclose(file);
    }
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                        text.data(), static_cast<int>(text.size()))));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        const size_t tab = text.find(L'\t', start);
        if (tab < end) {
            plan.emplace(text.substr(start, tab - start), text.substr(tab + 1, end - tab - 1));
        }
        start = end + 1;
    }
    return plan;
}

int64_t Counter() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 3) {
        return 2;
    }
    std::wstring base = argv[1];
    if (base.empty() || base.back() != L'\\') {
        base += L'\\';
    }
    const auto plan = ReadPlan(argv[2]);
    const bool moveFile = argc > 3 && std::wstring(argv[3]) == L"movefile";
    LocalFree(argv);

    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    const int64_t start = Counter();

    std::vector<std::wstring> files;
    WIN32_FIND_DATAW entry{};
    std::wstring mask = base;
    mask += L"*.*";
    const HANDLE search = FindFirstFileExW(mask.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                           2 | 4);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                files.emplace_back(entry.cFileName);
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }

    // Last to first, as the tool visits them. The folder is created under its plain path and the
    // move uses the long form of both paths, as the tool does.
    std::wstring longBase = L"\\\\?\\";
    longBase += base;
    std::unordered_set<std::wstring> made;
    int32_t moved = 0;
    for (size_t i = files.size(); i-- > 0;) {
        const auto target = plan.find(files[i]);
        if (target == plan.end()) {
            continue;
        }
        if (made.insert(target->second).second) {
            CreateDirectoryW((base + target->second).c_str(), nullptr);
        }
        std::wstring from = longBase;
        from += files[i];
        std::wstring to = longBase;
        to += target->second;
        to += L'\\';
        to += files[i];
        const auto* const source = reinterpret_cast<const char16_t*>(from.c_str());
        const auto* const destination = reinterpret_cast<const char16_t*>(to.c_str());
        if (moveFile ? MoveFileW(from.c_str(), to.c_str()) != FALSE
                     : qm::api::MoveFileAlone(source, destination, [] { return true; })) {
            ++moved;
        }
    }

    const int64_t end = Counter();
    const std::string summary = qm::app::RunSummary(static_cast<int32_t>(files.size()), moved, frequency.QuadPart,
                                                    start, end);
    MessageBoxA(nullptr, summary.c_str(), "Reference mover", MB_OK);
    return 0;
}
