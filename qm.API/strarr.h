#pragma once
// TStrArr: a growable, zero-based, ordered list of UTF-16 texts (the pattern list, the file list
// and the parts of a file name).

#include <string>
#include <vector>

namespace qm::api {

using TStrArr = std::vector<std::u16string>;

}  // namespace qm::api
