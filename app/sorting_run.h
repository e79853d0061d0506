#pragma once

#include <string_view>

namespace qm::app {

// Sorting mode: times the run, sorts the folder named by the argument and shows the summary box.
void RunSortingMode(std::u16string_view argument);

}  // namespace qm::app
