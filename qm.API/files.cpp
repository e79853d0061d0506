// The recursive folder creation: rules only, over the platform's single-level operations.

#include "qm.API/files.h"

#include <string>

#include "qm.API/path.h"

namespace qm::api {

bool MakeFolderPath(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    const std::string folder = DropTrailingBackslash(path);
    // What is left of C:\ or of a lone backslash: a drive or a root, which exists or cannot be made.
    if (folder.size() < 3) {
        return true;
    }
    if (IsExistingFolder(folder)) {
        return true;
    }
    // A path that still ends in a separator (two trailing backslashes, or a colon) has no level of
    // its own left to create.
    const std::string parent = DirOfPath(folder);
    if (parent == folder) {
        return true;
    }
    // Each level is tested before anything is created, so the creation runs outermost first.
    return MakeFolderPath(parent) && MakeFolder(folder);
}

}  // namespace qm::api
