#include "qm.API/key_path.h"

#include "qm.API/text.h"

namespace qm::api {

TKeySplit SplitKeyPath(std::string_view keyPath) {
    const std::string trimmed = CutSuffix(CutPrefix(keyPath, "\\", false), "\\", false);
    const int at = FindCharFrom('\\', trimmed, 1);
    if (at == 0) {
        return {trimmed, {}};
    }
    return {HeadOf(trimmed, at - 1), TailFrom(trimmed, at + 1)};
}

}  // namespace qm::api
