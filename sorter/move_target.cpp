#include "sorter/move_target.h"

#include <algorithm>

#include "qm.API/convert.h"
#include "qm.API/file_name.h"
#include "qm.API/path.h"
#include "qm.API/text.h"

namespace qm::sorter {

namespace {

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

// FoldCase for a UTF-16 unit: only ASCII letters fold.
char16_t FoldAscii(char16_t c) {
    return c < 0x80 ? static_cast<char16_t>(qm::api::FoldCase(static_cast<unsigned char>(c))) : c;
}

std::u16string FoldedAscii(std::u16string_view text) {
    std::u16string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), FoldAscii);
    return lower;
}

// Where the last part of the entry's name starts with its dot, when that part is one of
// PartialSuffixes; npos otherwise.
size_t PartialSuffixAt(std::u16string_view entry) {
    const size_t dot = entry.find_last_of(u"\\.");
    if (dot == std::u16string_view::npos || entry[dot] != u'.') {
        return std::u16string_view::npos;
    }
    const std::u16string_view last = entry.substr(dot + 1);
    for (std::u16string_view suffix : PartialSuffixes) {
        if (std::equal(last.begin(), last.end(), suffix.begin(), suffix.end(),
                       [](char16_t c, char16_t lower) { return FoldAscii(c) == lower; })) {
            return dot;
        }
    }
    return std::u16string_view::npos;
}

}  // namespace

TPlaceholders PlaceholdersIn(const qm::api::TStrArr& fileList) {
    TPlaceholders placeholders;
    for (const auto& entry : fileList) {
        const size_t dot = PartialSuffixAt(entry);
        if (dot != std::u16string::npos) {
            placeholders.insert(FoldedAscii(std::u16string_view(entry).substr(0, dot)));
        }
    }
    return placeholders;
}

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

std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, const TPatternSet& patterns,
                                        const TPlaceholders& placeholders) {
    // A download's placeholder stays until its partial file is gone.
    if (!placeholders.empty() && placeholders.contains(FoldedAscii(entry))) {
        return std::nullopt;
    }
    const std::optional<std::string> path = qm::api::ToAnsiExact(entry);
    if (!path) {
        return std::nullopt;
    }
    return MoveTargetOf(entry, *path, patterns);
}

std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, const qm::api::TStrArr& patternList) {
    return MoveTargetOf(entry, PreparePatterns(patternList));
}

std::optional<TMoveTarget> MoveTargetOf(std::u16string_view entry, std::string_view path, const TPatternSet& patterns) {
    // A partial file is no finished episode.
    if (PartialSuffixAt(entry) != std::u16string_view::npos) {
        return std::nullopt;
    }
    // The rule answers with the empty text for a name without an episode token: the file stays.
    const std::string derived = DeriveTargetFolder(path, patterns);
    if (derived.empty()) {
        return std::nullopt;
    }

    // The folder name is what follows the last backslash of the derived path: it is built from
    // parts of the file name, which hold none. An empty folder name leaves the path ending in the
    // file's own directory and its backslash, and so gives the empty text here too.
    if (!qm::api::IsPlainFileName(qm::api::NameOfPath(derived))) {
        return std::nullopt;
    }

    // Both paths in their long form: neither is bound by MAX_PATH, and the file keeps its name
    // exactly, a final dot or blank included. The folder is the entry's own directory with the
    // season folder's name, so a prefixed entry gives a target with the same prefix.
    std::string folder = qm::api::AddTrailingBackslash(derived);
    std::u16string target = qm::api::ToUtf16(folder);
    target += NameOfEntry(entry);
    return TMoveTarget{std::move(folder), LongPathOf(entry), LongPathOf(target)};
}

}  // namespace qm::sorter
