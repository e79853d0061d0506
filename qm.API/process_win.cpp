#include "qm.API/process.h"

#include <windows.h>

namespace qm::api {

std::string ExecutablePath() {
    // A full buffer means the path was cut: grow until it fits, so that the settings file and the
    // Explorer command name the file that really exists.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            path.resize(length);
            return path;
        }
        if (size >= 0x100000) {
            return {};
        }
        path.resize(static_cast<size_t>(size) * 2);
    }
}

}  // namespace qm::api
