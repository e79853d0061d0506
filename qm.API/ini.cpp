// The number forms of the INI operations, over the text ones.

#include "qm.API/ini.h"

#include "qm.API/number.h"

namespace qm::api {

int32_t IniReadNumber(std::string_view file, std::string_view section, std::string_view key, int32_t fallback) {
    return ParseIntOr(IniReadText(file, section, key, ""), fallback);
}

bool IniWriteNumber(std::string_view file, std::string_view section, std::string_view key, int32_t value) {
    return IniWriteText(file, section, key, IntToText(value));
}

}  // namespace qm::api
