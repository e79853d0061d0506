#pragma once
// The work of a sorting run: every file directly in the folder whose name yields a season folder
// is moved into that folder, which is created beside it when missing.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "qm.API/strarr.h"
#include "sorter/move_target.h"

namespace qm::sorter {

// Makes the season folder of a move (8-bit, trailing backslash) when it is missing; true when it
// exists afterwards. Same outcome as MakeFolderPath for a folder whose parent exists, as the sorted
// folder does, and cheaper for a new one (see sort_folder.cpp).
bool MakeSeasonFolder(const std::string& folder);

// Moves one file into its season folder, made when missing, unless another program has the file
// open; true when the file was moved. seen holds the season folders of the run's earlier files:
// for those the move is tried at once, and only when it fails is the folder made (again) and the
// move tried once more, so that the outcome is that of making the folder first even when it has
// gone meanwhile.
bool MoveIntoSeasonFolder(const TMoveTarget& move, std::unordered_set<std::string>& seen);

struct TSortResult {
    qm::api::TStrArr FileList;  // every file found in the folder; its length is the Found count
    int32_t MovedCount = 0;
};

// Lists the folder (8-bit path, used as given) and moves each file into the season folder the
// pattern list gives it. Sub-folders are neither listed nor entered; nothing is ever replaced.
// Files of downloads still running and files another program has open stay. A file that cannot
// be moved stays where it is and the run goes on.
TSortResult SortFolder(std::string_view folder, const qm::api::TStrArr& patternList);

}  // namespace qm::sorter
