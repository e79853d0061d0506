#pragma once
// Splitting a registry key path for the one-key removal: the platform deletes a subkey below an
// opened parent, so the path is cut into that parent and the rest.

#include <string>
#include <string_view>

namespace qm::api {

struct TKeySplit {
    std::string Parent;  // the first key name (may be empty)
    std::string Child;   // everything below it, possibly several levels; empty for a one-level path
};

// Drops one leading and one trailing backslash, then cuts at the first backslash that is left:
// 'SOFTWARE\Quillmoor\Tidyreel\' gives 'SOFTWARE' and 'Quillmoor\Tidyreel'.
TKeySplit SplitKeyPath(std::string_view keyPath);

}  // namespace qm::api
