// sort_profile.exe <folder>: the work of a sorting run (SortFolder) with a clock around each step,
// to see where the time of a run goes per file: the listing, the conversions and the rule, the
// creation of the season folders and the moves. Sorts the folder for real, like tidyreel.exe, without settings file and
// message box.

#include <windows.h>

#include <cstdio>
#include <string>
#include <unordered_set>

#include "app/settings.h"
#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "sorter/move_target.h"
#include "sorter/sort_folder.h"

namespace {

int64_t Counter() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

struct TStep {
    const char* Name;
    int64_t Ticks = 0;
    size_t Calls = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sort_profile.exe <folder>\n");
        return 2;
    }
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    TStep list{"listing (FindFirstFileExW, FindNextFileW)"};
    TStep target{"conversions and folder-name rule (MoveTargetOf)"};
    TStep makeFolder{"season folder, first file (CreateDirectoryA)"};
    TStep move{"move (held alone, renamed by handle)"};

    qm::api::TStrArr defaults;
    for (const char* pattern : qm::app::DefaultPatterns) {
        defaults.push_back(qm::api::ToUtf16(pattern));
    }
    const int64_t start = Counter();
    int64_t at = start;
    auto clock = [&at](TStep& step, bool call = true) {
        const int64_t now = Counter();
        step.Ticks += now - at;
        step.Calls += call ? 1 : 0;
        at = now;
    };

    // The steps of SortFolder and MoveIntoSeasonFolder, one by one.
    const qm::api::TStrArr files = qm::api::ListFiles(qm::api::ToUtf16(argv[1]), u"*.*", false);
    clock(list);
    const qm::sorter::TPatternSet patterns = qm::sorter::PreparePatterns(defaults);
    const qm::sorter::TPlaceholders placeholders = qm::sorter::PlaceholdersIn(files);
    std::unordered_set<std::string> seen;
    size_t moved = 0;
    at = Counter();
    for (size_t i = files.size(); i-- > 0;) {
        const auto plan = qm::sorter::MoveTargetOf(files[i], patterns, placeholders);
        clock(target);
        if (!plan) {
            continue;
        }
        bool done = false;
        if (!seen.insert(plan->Folder).second) {
            at = Counter();
            done = qm::api::MoveFileAlone(plan->Source, plan->Target, [] { return true; });
            clock(move);
        }
        if (!done) {
            at = Counter();
            // The folder's time is taken apart from the move's, which holds the file meanwhile.
            done = qm::api::MoveFileAlone(plan->Source, plan->Target, [&] {
                clock(move, false);
                const bool folder = qm::sorter::MakeSeasonFolder(plan->Folder);
                clock(makeFolder);
                return folder;
            });
            clock(move);
        }
        moved += done ? 1 : 0;
        at = Counter();
    }
    const double total = static_cast<double>(Counter() - start) / static_cast<double>(frequency.QuadPart);

    std::printf("| step | calls | total s | per call us | share |\n|---|---:|---:|---:|---:|\n");
    for (const TStep* step : {&list, &target, &makeFolder, &move}) {
        const double seconds = static_cast<double>(step->Ticks) / static_cast<double>(frequency.QuadPart);
        std::printf("| %s | %zu | %.3f | %.1f | %.0f%% |\n", step->Name, step->Calls, seconds,
                    step->Calls == 0 ? 0.0 : seconds * 1e6 / static_cast<double>(step->Calls), 100.0 * seconds / total);
    }
    std::printf("| whole run: %zu files, %zu moved | | %.3f | %.1f per file | |\n", files.size(), moved, total,
                files.empty() ? 0.0 : total * 1e6 / static_cast<double>(files.size()));
    return 0;
}
