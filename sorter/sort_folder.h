#pragma once
// The work of a sorting run: every file directly in the folder whose name yields a season folder
// is moved into that folder, which is created beside it when missing.

#include <string_view>

#include "app/run_state.h"

namespace qm::sorter {

// Lists the folder (8-bit path, used as given) into run.FileList and adds 1 to run.MovedCount per
// file moved. Sub-folders are neither listed nor entered; nothing is ever replaced. A file that
// cannot be moved stays where it is and the run goes on.
void SortFolder(qm::app::TRunState& run, std::string_view folder);

}  // namespace qm::sorter
