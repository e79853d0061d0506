#pragma once
// The text of the message box that ends a sorting run.

#include <cstdint>
#include <string>

namespace qm::app {

// "Found: N files", "Moved: N files", "Skipped: N files" and, when the counter frequency is 1 or
// more, "Needed: S seconds" with S right-aligned to width 10 with 7 decimals; lines joined by CR LF,
// no line break at the end. Skipped is found minus moved.
std::string RunSummary(int32_t found, int32_t moved, int64_t counterFrequency, int64_t startCount, int64_t endCount);

}  // namespace qm::app
