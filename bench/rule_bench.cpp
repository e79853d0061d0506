// Throughput of the folder-name rule on one core: the generated release-name corpus with the
// twelve default patterns, reported as names per second (items_per_second).
//
//   rule_bench [--names=N] [Google Benchmark flags]     N defaults to 10000

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "bench/release_names.h"
#include "qm.API/convert.h"
#include "sorter/folder_name.h"

namespace {

size_t CorpusSize = 10000;

// Full paths, as the folder scan hands them to the rule.
const std::vector<std::string>& CorpusPaths() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> result;
        for (const auto& name : qm::bench::ReleaseNames(CorpusSize)) {
            std::string path = "D:\\Video\\Downloads\\";
            path += name;
            result.push_back(std::move(path));
        }
        return result;
    }();
    return paths;
}

const qm::api::TStrArr& DefaultPatternList() {
    static const qm::api::TStrArr patterns = [] {
        qm::api::TStrArr list;
        for (const char* pattern : qm::app::DefaultPatterns) {
            list.push_back(qm::api::ToUtf16(pattern));
        }
        return list;
    }();
    return patterns;
}

template <typename TRule>
void RunOverCorpus(benchmark::State& state, TRule rule) {
    const auto& paths = CorpusPaths();
    for (auto _ : state) {
        for (const auto& path : paths) {
            benchmark::DoNotOptimize(rule(path));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(paths.size()));
}

// The rule as the sorting run calls it: the pattern list prepared once for the whole run.
void DeriveTargetFolder(benchmark::State& state) {
    const qm::sorter::TPatternSet patterns = qm::sorter::PreparePatterns(DefaultPatternList());
    RunOverCorpus(state, [&](const std::string& path) { return qm::sorter::DeriveTargetFolder(path, patterns); });
}
BENCHMARK(DeriveTargetFolder);

// The pattern list as loaded, prepared anew for every name.
void DeriveTargetFolderUnprepared(benchmark::State& state) {
    const auto& patterns = DefaultPatternList();
    RunOverCorpus(state, [&](const std::string& path) { return qm::sorter::DeriveTargetFolder(path, patterns); });
}
BENCHMARK(DeriveTargetFolderUnprepared);

}  // namespace

int main(int argc, char** argv) {
    // Our own flag first; Google Benchmark rejects flags it does not know.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg.starts_with("--names=")) {
            CorpusSize = std::strtoul(argv[i] + 8, nullptr, 10);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
