#pragma once

namespace qm::api {

// The library's start-up step, run once before the program's main body: fills the DBCS state
// of the active ANSI code page from the platform.
void StartUp();

}  // namespace qm::api
