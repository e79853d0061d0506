#include "sorter/sort_folder.h"

#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "qm.API/path.h"

namespace qm::sorter {

bool MakeSeasonFolder(const std::string& folder) {
    // A season folder is new when its first file comes, so it is created at once. That spares the
    // existence test of a name that is not there yet, which on Wine costs a read of the whole
    // sorted folder (the name is looked for in every other case), and the creation reads it once
    // more: in a folder of 10,000 files the test alone made a run twice as slow. When the creation
    // fails (the folder exists, a file bears its name, the path is too long), MakeFolderPath
    // decides with its tests as ever. Its answer for a created folder would have been the same:
    // the parent is the sorted folder, which exists, so it would have created this one level.
    // Paths of fewer than three bytes (\x) it takes for a root and never creates; nor is it done here.
    const std::string path = qm::api::DropTrailingBackslash(folder);
    return (path.size() >= 3 && qm::api::MakeFolder(path)) || qm::api::MakeFolderPath(folder);
}

bool MoveIntoSeasonFolder(const TMoveTarget& move, std::unordered_set<std::string>& seen) {
    // Most season folders receive several files; after the first, the folder is there, and each
    // test would cost a look-up of its own. The folder is made only once the file is held for the
    // move: a file another program has open gets none.
    if (!seen.insert(move.Folder).second && qm::api::MoveFileAlone(move.Source, move.Target, [] { return true; })) {
        return true;
    }
    return qm::api::MoveFileAlone(move.Source, move.Target, [&] { return MakeSeasonFolder(move.Folder); });
}

TSortResult SortFolder(std::string_view folder, const qm::api::TStrArr& patternList) {
    TSortResult run;
    run.FileList = qm::api::ListFiles(qm::api::ToUtf16(folder), u"*.*", false);
    // The patterns are converted and lower-cased once for the run, not once per file.
    const TPatternSet patterns = PreparePatterns(patternList);
    const TPlaceholders placeholders = PlaceholdersIn(run.FileList);

    // The list is a snapshot taken before the first move, so folders created on the way are never
    // listed, and a file that vanishes meanwhile only fails its move. It is visited from the last
    // entry to the first; every file has a target path of its own, so the order decides no more
    // than which season folder is created first.
    std::unordered_set<std::string> seen;
    for (size_t i = run.FileList.size(); i-- > 0;) {
        // One file's failure, even running out of memory for its paths, only skips that file.
        try {
            const auto move = MoveTargetOf(run.FileList[i], patterns, placeholders);
            if (move && MoveIntoSeasonFolder(*move, seen)) {
                ++run.MovedCount;
            }
        } catch (...) {  // NOLINT(bugprone-empty-catch): the file stays, counted as skipped
        }
    }
    return run;
}

}  // namespace qm::sorter
