#include "app/settings.h"

#include <algorithm>

#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "qm.API/ini.h"
#include "qm.API/number.h"

namespace qm::app {

using namespace qm::api;

bool EnsureSettingsFile(std::string_view path) {
    if (!IsExistingFile(path)) {
        // Each write's result says little (a directory at the path makes them all fail); the
        // existence test afterwards is the answer.
        IniWriteNumber(path, PatternsSection, LimitKey, static_cast<int32_t>(DefaultPatterns.size()) - 1);
        for (size_t i = 0; i < DefaultPatterns.size(); ++i) {
            IniWriteText(path, PatternsSection, IntToText(static_cast<int32_t>(i)), DefaultPatterns[i]);
        }
    }
    return IsExistingFile(path);
}

TStrArr LoadPatternList(std::string_view path) {
    const int32_t limit = std::min(IniReadNumber(path, PatternsSection, LimitKey, 0), MaxPatternLimit);
    TStrArr patterns;
    for (int32_t i = 0; i <= limit; ++i) {
        patterns.push_back(ToUtf16(IniReadText(path, PatternsSection, IntToText(i), "")));
    }
    return patterns;
}

}  // namespace qm::app
