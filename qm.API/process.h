#pragma once

#include <string>

namespace qm::api {

// Full path of the running executable (8-bit), however long. Empty when the platform cannot tell,
// and when the ANSI code page cannot hold the path exactly.
std::string ExecutablePath();

}  // namespace qm::api
