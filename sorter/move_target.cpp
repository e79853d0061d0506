#include "sorter/move_target.h"

#include <array>

#include "qm.API/convert.h"
#include "qm.API/path.h"
#include "qm.API/text.h"

namespace qm::sorter {

namespace {

bool IsReservedDeviceName(std::string_view name) {
    // Windows reads CON.S01 and "CON .S01" as the device too: only the text before the first
    // dot, without trailing spaces, counts.
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.remove_suffix(1);
    }
    const std::string lower = qm::api::LowerAscii(stem);
    static constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
    for (const auto device : kPlain) {
        if (lower == device) {
            return true;
        }
    }
    const bool numbered = lower.size() == 4 && lower[3] >= '1' && lower[3] <= '9';
    return numbered && (lower.starts_with("com") || lower.starts_with("lpt"));
}

bool IsForbiddenByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
}

// The name of a listed entry: everything after its last backslash. The listing builds every
// entry as folder, backslash, name, and a name holds no backslash. Taken from the UTF-16 entry,
// not from its 8-bit form: in a double-byte code page the second byte of a character can have
// the backslash's code, and the 8-bit name would then be cut short at it.
std::u16string_view NameOfEntry(std::u16string_view entry) {
    const size_t cut = entry.find_last_of(u'\\');
    return cut == std::u16string_view::npos ? entry : entry.substr(cut + 1);
}

bool IsDriveLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

std::u16string LongPathOf(std::u16string_view path) {
    if (path.starts_with(u"\\\\?\\") || path.starts_with(u"\\\\.\\")) {
        return std::u16string(path);
    }
    if (path.starts_with(u"\\\\")) {
        std::u16string unc(u"\\\\?\\UNC\\");
        unc += path.substr(2);
        return unc;
    }
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == u':' && path[2] == u'\\') {
        std::u16string drive(LongPathPrefix);
        drive += path;
        return drive;
    }
    return std::u16string(path);
}

bool IsUsableFolderName(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') {
        return false;
    }
    for (const char c : name) {
        if (IsForbiddenByte(c)) {
            return false;
        }
    }
    return !IsReservedDeviceName(name);
}

std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, const TPatternSet& patterns) {
    const std::string path = qm::api::ToAnsi(entry);
    if (qm::api::ToUtf16(path) != entry) {
        return std::nullopt;
    }
    return MoveTargetOf(entry, path, patterns);
}

std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, std::string_view path,
                                        const TPatternSet& patterns) {
    // The rule answers with the empty text for a name without an episode token: the file stays.
    const std::string derived = DeriveTargetFolder(path, patterns);
    if (derived.empty()) {
        return std::nullopt;
    }

    // The folder name is what follows the last backslash of the derived path: it is built from
    // parts of the file name, which hold none. An empty folder name leaves the path ending in the
    // file's own directory and its backslash, and so gives the empty text here too.
    if (!IsUsableFolderName(qm::api::NameOfPath(derived))) {
        return std::nullopt;
    }

    std::string folder = qm::api::AddTrailingBackslash(derived);
    std::u16string target = qm::api::ToUtf16(folder);
    target += NameOfEntry(entry);
    return TMoveTarget{std::move(folder), LongPathOf(entry), LongPathOf(target)};
}

}  // namespace qm::sorter
