#include "sorter/sort_folder.h"

#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "sorter/move_target.h"

namespace qm::sorter {

void SortFolder(qm::app::TRunState& run, std::string_view folder) {
    run.FileList = qm::api::ListFiles(qm::api::ToUtf16(folder), u"*.*", false);
    // The patterns are converted and lower-cased once for the run, not once per file.
    const TPatternSet patterns = PreparePatterns(run.PatternList);

    // The list is a snapshot taken before the first move, so folders created on the way are never
    // listed, and a file that vanishes meanwhile only fails its move. It is visited from the last
    // entry to the first; every file has a target path of its own, so the order decides no more
    // than which season folder is created first.
    for (size_t i = run.FileList.size(); i-- > 0;) {
        // One file's failure, even running out of memory for its paths, only skips that file.
        try {
            const auto move = MoveTargetOf(run.FileList[i], patterns);
            if (move && qm::api::MakeFolderPath(move->Folder) &&
                qm::api::MoveFileNoReplace(move->Source, move->Target)) {
                ++run.MovedCount;
            }
        } catch (...) {
        }
    }
}

}  // namespace qm::sorter
