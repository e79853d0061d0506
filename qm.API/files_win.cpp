#include "qm.API/files.h"

#include <windows.h>

#include <string>

namespace qm::api {

bool IsExistingFile(std::string_view path) {
    // Classified by the directory bit alone: hidden, system and read-only files are files too.
    const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace qm::api
