#pragma once

#include <string>

namespace qm::app {

// Sorting mode: times the run, sorts the folder and shows the summary box.
void RunSortingMode(const std::string& folder);

}  // namespace qm::app
