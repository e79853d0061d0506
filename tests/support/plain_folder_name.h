#pragma once
// The folder-name rule written plainly, step by step as it reads, with no regard for speed: the
// yardstick of the golden test and of the rule benchmark.

#include <string>
#include <string_view>

#include "qm.API/strarr.h"

namespace qm::test {

std::string PlainTargetFolder(std::string_view filePath, const qm::api::TStrArr& patternList);

}  // namespace qm::test
