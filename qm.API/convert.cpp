#include "qm.API/convert.h"

namespace qm::api {

std::optional<std::string> ToAnsiExact(std::u16string_view wide) {
    std::string ansi = ToAnsi(wide);
    if (ToUtf16(ansi) != wide) {
        return std::nullopt;
    }
    return ansi;
}

}  // namespace qm::api
