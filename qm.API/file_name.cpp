#include "qm.API/file_name.h"

#include <array>

#include "qm.API/dbcs.h"
#include "qm.API/text.h"

namespace qm::api {

namespace {

constexpr std::string_view ForbiddenCharacters = "\\/:*?\"<>|";

constexpr std::array<std::string_view, 22> DeviceNames = {
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
    "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9",
};

// The platform takes "CON.txt", "CON.S01" and "con .lnk" for the device too: what counts is the
// part before the first dot, without the spaces that end it.
bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    const std::string folded = LowerAscii(base);
    for (std::string_view device : DeviceNames) {
        if (folded == device) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        const auto code = static_cast<unsigned char>(name[i]);
        // The second byte of a double-byte character may have the code of \ or | (ソ, 表 in
        // Shift-JIS); it belongs to a character and separates nothing.
        if ((code < 0x20 || ForbiddenCharacters.find(name[i]) != std::string_view::npos) &&
            ByteKindAt(name, static_cast<int>(i) + 1) != ByteKind::Trail) {
            return false;
        }
    }
    // Also refuses "." and "..".
    if (name.back() == ' ' || name.back() == '.') {
        return false;
    }
    return !IsDeviceName(name);
}

bool KeepsEveryPart(std::u16string_view path) {
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != u'\\' && path[i] != u'/') {
            continue;
        }
        // The platform drops a final dot from every part, and final blanks and dots from the last
        // part only when no separator follows it: a blank inside the path (Show \Season 1, Show \)
        // stays part of the name.
        const std::u16string_view part = path.substr(start, i - start);
        const bool last = i == path.size();
        if (part != u"." && part != u".." && (part.ends_with(u'.') || (last && part.ends_with(u' ')))) {
            return false;
        }
        start = i + 1;
    }
    return true;
}

}  // namespace qm::api
