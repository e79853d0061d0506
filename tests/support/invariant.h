#pragma once
// The promise of a sorting run, checked on real files. Before and after the run:
// - the multiset of (file name, content) over the whole sorted folder is the same: nothing lost,
//   duplicated, renamed or changed;
// - every file is where it was, or (for a file directly in the folder) in the season folder the
//   rule names for it, under its own name; the only new folders are season folders of the rule;
// - nothing outside the sorted folder changed.
// The prediction uses the tool's own rule (MoveTargetOf) with the run's pattern list, so a check
// holds for any settings file. Paths are UTF-8 and reach the platform in their \\?\ form, so names
// outside the ANSI code page, device names and paths beyond 260 characters are read as they are.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "qm.API/strarr.h"

namespace qm::test {

// A file's content by its size and a 64-bit FNV-1a hash; a folder by the flag alone.
struct TEntryState {
    bool Folder = false;
    uint64_t Size = 0;
    uint64_t Hash = 0;
    bool operator==(const TEntryState&) const = default;
    auto operator<=>(const TEntryState&) const = default;
};

// Every entry below root (absolute, without a trailing backslash) by its path relative to root;
// folders carry a trailing backslash. Directory links are recorded, not followed.
using TTreeState = std::map<std::string, TEntryState>;
TTreeState CaptureTree(const std::string& root);

struct TInvariantReport {
    size_t Files = 0;   // files in the sorted folder after the run
    size_t Stayed = 0;  // files directly in the folder that are still there
    size_t Moved = 0;   // files now in the season folder the rule names for them
    size_t Lost = 0;    // files (by name and content) that are nowhere any more
    std::vector<std::string> Breaches;
    bool Holds() const { return Breaches.empty(); }
    // One line per breach (the first few), for a failure message.
    std::string Describe() const;
};

class TSortInvariant {
public:
    // Takes the picture before the run. folder: the sorted folder, absolute, no trailing
    // backslash. outside: roots that must not change at all; when the sorted folder lies inside
    // one, its subtree is left out of that root's picture.
    TSortInvariant(std::string folder, qm::api::TStrArr patternList, std::vector<std::string> outside = {});

    // What the test itself did to files directly in the folder while the run lasted: a removed
    // file is expected to be gone, a renamed one to stay under its new name.
    void Removed(const std::string& name);
    void Renamed(const std::string& from, const std::string& to);

    // Takes the picture after the run and compares.
    TInvariantReport Check() const;

private:
    std::string folder_;
    qm::api::TStrArr patternList_;
    TTreeState before_;
    std::set<std::string> pinned_;   // renamed by the test: must stay where they are now
    std::set<std::string> touched_;  // the names the test removed or renamed, as the run listed them
    std::vector<std::pair<std::string, TTreeState>> outside_;
};

}  // namespace qm::test
