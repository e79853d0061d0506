#include "qm.API/process.h"

#include <windows.h>

#include "qm.API/convert.h"
#include "qm.API/files.h"

namespace qm::api {

std::string ExecutablePath() {
    // A full buffer means the path was cut: grow until it fits, so that the settings file and the
    // Explorer command name the file that really exists.
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            path.resize(length);
            break;
        }
        if (size >= 0x100000) {
            return {};
        }
        path.resize(static_cast<size_t>(size) * 2);
    }
    // The 8-bit path would be made with look-alikes (Łódź becomes Lódz), naming another file.
    return ToAnsiExact(WithoutFileLink(path)).value_or(std::string());
}

}  // namespace qm::api
