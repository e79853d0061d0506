#pragma once

#include <string>

namespace qm::api {

// Full path of the running executable as the platform reports it (8-bit), however long; empty
// only when the platform cannot tell.
std::string ExecutablePath();

}  // namespace qm::api
