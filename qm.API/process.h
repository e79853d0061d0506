#pragma once

#include <string>

namespace qm::api {

// Full path of the running executable (8-bit), however long; started through a symbolic link that
// is the file itself, the path of the file the link leads to. Empty when the platform cannot tell,
// and when the ANSI code page cannot hold the path exactly.
std::string ExecutablePath();

}  // namespace qm::api
