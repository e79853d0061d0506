#pragma once
// File-system tests on 8-bit ANSI-code-page paths.

#include <string_view>

namespace qm::api {

// True when the path names an existing entry that is not a directory; false for a directory, a
// missing or malformed path and the empty path.
bool IsExistingFile(std::string_view path);

}  // namespace qm::api
