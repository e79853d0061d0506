#include "app/sorting_run.h"

#include <windows.h>

#include "app/run_state.h"
#include "app/summary.h"
#include "qm.API/process.h"

namespace qm::app {

namespace {

constexpr const char* SummaryTitle = "Quillmoors Tidyreel";

int64_t ReadCounter() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

}  // namespace

void RunSortingMode(const std::string& folder) {
    static_cast<void>(folder);
    TRunState run;
    run.ExecutablePath = qm::api::ExecutablePath();

    // The reported time covers everything from here on.
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    run.CounterFrequency = frequency.QuadPart;
    run.StartCount = ReadCounter();
    run.MovedCount = 0;
    run.SettingsFile = SettingsFileOf(run.ExecutablePath);

    run.EndCount = ReadCounter();
    const std::string summary =
        RunSummary(static_cast<int32_t>(run.FileList.size()), run.MovedCount, run.CounterFrequency, run.StartCount,
                   run.EndCount);
    MessageBoxA(nullptr, summary.c_str(), SummaryTitle, MB_OK);
}

}  // namespace qm::app
