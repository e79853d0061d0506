#include "qm.API/path.h"

#include "qm.API/dbcs.h"
#include "qm.API/text.h"

namespace qm::api {

namespace {

constexpr std::string_view kSeparators = "\\:";

// Whether the 1-based position pos of text holds a byte of set (the terminator never does).
bool HoldsOneOf(std::string_view text, int pos, std::string_view set) {
    if (pos < 1 || static_cast<size_t>(pos) > text.size()) {
        return false;
    }
    const char byte = text[static_cast<size_t>(pos) - 1];
    return byte != '\0' && set.find(byte) != std::string_view::npos;
}

}  // namespace

std::string DirOfPath(std::string_view path) {
    // DBCS-aware: a trail byte with the backslash's code belongs to a character, not a separator.
    return HeadOf(path, FindLastDelim(kSeparators, path));
}

std::string NameOfPath(std::string_view path) {
    // Split where DirOfPath splits: in a double-byte code page, a name holding a character whose
    // second byte has the backslash's code (ソ, 表) is the whole name, not the text after that byte.
    return TailFrom(path, FindLastDelim(kSeparators, path) + 1);
}

std::string ExtOfPath(std::string_view path) {
    const int pos = FindLastOfAny(path, ".");
    if (!HoldsOneOf(path, pos, ".")) {
        return {};
    }
    return TailFrom(path, pos);
}

std::string BareNameOfPath(std::string_view path) {
    const std::string name = NameOfPath(path);
    const std::string ext = ExtOfPath(name);
    return HeadOf(name, static_cast<int>(name.size() - ext.size()));
}

bool EndsInBackslash(std::string_view text) {
    return !text.empty() && text.back() == '\\' && ByteKindAt(text, static_cast<int>(text.size())) != ByteKind::Trail;
}

std::string AddTrailingBackslash(std::string_view text) {
    std::string result(text);
    if (!EndsInBackslash(result)) {
        result += '\\';
    }
    return result;
}

std::string DropTrailingBackslash(std::string_view text) {
    if (EndsInBackslash(text)) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

}  // namespace qm::api
