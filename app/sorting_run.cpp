#include "app/sorting_run.h"

#include <windows.h>

#include <optional>

#include "app/run_state.h"
#include "app/settings.h"
#include "app/summary.h"
#include "qm.API/convert.h"
#include "qm.API/file_name.h"
#include "qm.API/files.h"
#include "qm.API/process.h"
#include "sorter/sort_folder.h"

namespace qm::app {

namespace {

constexpr const char* SummaryTitle = "Quillmoors Tidyreel";
constexpr const char* ErrorTitle = "Error!";
constexpr const char* SettingsMissingText = "ini file is missing/creation/reading error!";
constexpr const char* SettingsReadingText = "ini file reading error!";

int64_t ReadCounter() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

void ShowMessage(const char* text, const char* title) {
    MessageBoxA(nullptr, text, title, MB_OK);
}

}  // namespace

void RunSortingMode(std::u16string_view argument) {
    // One full path, made once: "." and ".." would otherwise be resolved by the folder creation
    // and taken literally by the long-path moves. A folder that path would not name is not sorted
    // at all, as if it did not exist: one whose name the code page cannot hold exactly (its
    // look-alike characters, a full-width quote or backslash, name another folder), and one with a
    // part ending in a space or a dot, which the full path drops (Show  would sort its twin Show).
    const std::optional<std::string> folder = qm::api::KeepsEveryPart(argument)
                                                  ? qm::api::ToAnsiExact(qm::api::FullPathOf(argument))
                                                  : std::nullopt;

    TRunState run;
    run.ExecutablePath = qm::api::ExecutablePath();

    // The reported time covers everything from here on: settings, listing and every move.
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    run.CounterFrequency = frequency.QuadPart;
    run.StartCount = ReadCounter();
    run.MovedCount = 0;
    run.SettingsFile = SettingsFileOf(run.ExecutablePath);

    // The patterns are settled before the folder is even looked at, so a broken settings file is
    // reported whatever the argument. Without an exact path of its own (the code page cannot hold
    // it) the executable has no settings file of its own either.
    if (run.ExecutablePath.empty() || !EnsureSettingsFile(run.SettingsFile)) {
        ShowMessage(SettingsMissingText, ErrorTitle);
        return;
    }
    run.PatternList = LoadPatternList(run.SettingsFile);
    if (run.PatternList.empty()) {
        ShowMessage(SettingsReadingText, ErrorTitle);
        return;
    }
    // Not a folder (missing, a file, an empty argument): nothing to do and nothing to say.
    if (!folder || !qm::api::IsExistingFolder(*folder)) {
        return;
    }
    qm::sorter::TSortResult sorted = qm::sorter::SortFolder(*folder, run.PatternList);
    run.FileList = std::move(sorted.FileList);
    run.MovedCount = sorted.MovedCount;

    run.EndCount = ReadCounter();
    const std::string summary = RunSummary(static_cast<int32_t>(run.FileList.size()), run.MovedCount,
                                           run.CounterFrequency, run.StartCount, run.EndCount);
    ShowMessage(summary.c_str(), SummaryTitle);
}

}  // namespace qm::app
