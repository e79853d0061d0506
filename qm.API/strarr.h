#pragma once
// TStrArr: a growable, zero-based, ordered list of UTF-16 texts (the pattern list and the file
// list; the folder-name rule reads the parts of a file name as views into its 8-bit path).

#include <string>
#include <vector>

namespace qm::api {

using TStrArr = std::vector<std::u16string>;

}  // namespace qm::api
