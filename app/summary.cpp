#include "app/summary.h"

#include "qm.API/number.h"

namespace qm::app {

using qm::api::IntToText;

std::string RunSummary(int32_t found, int32_t moved, int64_t counterFrequency, int64_t startCount, int64_t endCount) {
    std::string text = "Found: " + IntToText(found) + " files";
    text += "\r\nMoved: " + IntToText(moved) + " files";
    // Both counts are at most the number of listed files, so the difference cannot overflow.
    text += "\r\nSkipped: " + IntToText(found - moved) + " files";
    if (counterFrequency >= 1) {
        // Unsigned subtraction wraps instead of overflowing if the counter ever jumped backwards.
        const auto elapsed = static_cast<int64_t>(static_cast<uint64_t>(endCount) - static_cast<uint64_t>(startCount));
        const double seconds = static_cast<double>(elapsed) / static_cast<double>(counterFrequency);
        text += "\r\nNeeded: " + qm::api::RealToText(seconds, 10, 7) + " seconds";
    }
    return text;
}

}  // namespace qm::app
