#include "app/run_state.h"

#include "qm.API/path.h"

namespace qm::app {

std::string SettingsFileOf(std::string_view executablePath) {
    using namespace qm::api;
    return AddTrailingBackslash(DirOfPath(executablePath)) + BareNameOfPath(executablePath) + ".ini";
}

}  // namespace qm::app
