#pragma once
// What the end-to-end tests of sorting mode share: a private copy of tidyreel.exe per test, the
// run summary read back, files made from a list, a file held open by another program, the tree a
// run should leave, and the invariant every run must keep.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "qm.API/strarr.h"
#include "support/driver.h"
#include "support/invariant.h"
#include "support/temp_folder.h"

namespace qm::test {

using TTree = std::map<std::string, std::string>;
using TMoves = std::map<std::string, std::string>;  // file (relative to a root) -> its season folder

// The settings file a first run writes, and the pattern list it loads.
extern const std::string kDefaultSettings;
const qm::api::TStrArr& DefaultPatternList();

struct TSummary {
    int Found = -1;
    int Moved = -1;
    int Skipped = -1;
};

void ExpectEndedWithBoxes(const TRunReport& report, size_t boxes);
// The counts of the one summary box the run showed; its title and shape are checked, and Skipped
// is Found less Moved. All -1 when there is no such box.
TSummary ReadSummary(const TRunReport& report);
void ExpectSummary(const TRunReport& report, int found, int moved);
void ExpectError(const TRunReport& report, const std::string& text);

// Files to make below a root, by relative path (UTF-8): those that stay and those to be moved.
// Each file's content is its own path, so that a file moved under another name or replaced would
// show.
void MakeFiles(const TTempFolder& root, const std::vector<std::string>& stay, const TMoves& moves = {});

// The tree expected after a run: every file of `before` where it was, except the moved ones, which
// lie in their season folder (relative to root) under their own name with their own content.
// `folders` are further folders the run leaves (empty ones of failed moves).
TTree Expected(TTree tree, const TMoves& moved, const std::vector<std::string>& folders);

// The invariant holds, and the summary counted as moved exactly the files it found moved.
void ExpectInvariant(const TSortInvariant& invariant, const TRunReport& report);

// A file opened without delete sharing, as a player holding the file would.
class THeldFile {
public:
    explicit THeldFile(const std::string& path, DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE);
    ~THeldFile() { Release(); }
    THeldFile(const THeldFile&) = delete;
    THeldFile& operator=(const THeldFile&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release();

private:
    HANDLE handle_;
};

// Each test runs a private copy of tidyreel.exe in a folder of its own, so that it owns the
// settings file beside it; Beside() is a folder next to the sorted ones that no run may change.
class TSortingRunFixture : public ::testing::Test {
protected:
    void SetUp() override;
    TRunReport Sort(const std::string& commandLineTail, DWORD timeoutMs = 30000) const {
        return RunAnsweringBoxes(exe_, commandLineTail, timeoutMs);
    }
    std::string SettingsFile() const { return toolFolder_ / "tidyreel.ini"; }
    const std::string& Beside() const { return beside_.Path(); }
    // The picture before a run of folder with the given patterns, Beside() included.
    TSortInvariant Before(const std::string& folder, const qm::api::TStrArr& patterns = DefaultPatternList()) const;

private:
    TTempFolder toolFolder_;
    TTempFolder beside_;
    std::string exe_ = CopyTidyreelTo(toolFolder_.Path());
};

}  // namespace qm::test
