#include "sorter/folder_name.h"

#include <algorithm>
#include <vector>

#include "qm.API/convert.h"
#include "qm.API/number.h"
#include "qm.API/path.h"
#include "qm.API/text.h"

namespace qm::sorter {

using qm::api::FoldCase;

namespace {

// The parts of a name are kept as 8-bit views into it rather than as UTF-16 texts turned back
// into 8-bit for every test. That is the same thing: the name is 8-bit text produced from the
// UTF-16 file name, and a dot (0x2E) is never the trail byte of a double-byte character, so
// every part is a run of whole characters and comes back unchanged from the round trip.
using TParts = std::vector<std::string_view>;

// A dot closes the current part, even an empty one; the text after the last dot counts only when
// it is not empty, so a trailing dot adds no part.
TParts SplitAtDots(std::string_view name) {
    TParts parts;
    size_t start = 0;
    for (size_t dot = name.find('.'); dot != std::string_view::npos; dot = name.find('.', start)) {
        parts.push_back(name.substr(start, dot - start));
        start = dot + 1;
    }
    if (start < name.size()) {
        parts.push_back(name.substr(start));
    }
    return parts;
}

// One two-character field of an episode token, already lower-cased: "01", " 1", "-1", "$a",
// "x0", "%1", "&7" pass; "0x", "1 ", "ab" do not.
bool IsNumberField(char first, char second) {
    int32_t ignored = 0;
    const char field[2] = {first, second};
    return qm::api::ParseInt(std::string_view(field, 2), ignored);
}

// S01E02 in any case: six bytes, 's' first, 'e' fourth, and both two-byte fields numbers.
bool IsEpisodeToken(std::string_view part) {
    if (part.size() != 6) {
        return false;
    }
    char lower[6];
    for (size_t i = 0; i < 6; ++i) {
        lower[i] = static_cast<char>(FoldCase(static_cast<unsigned char>(part[i])));
    }
    return lower[0] == 's' && lower[3] == 'e' && IsNumberField(lower[1], lower[2]) &&
           IsNumberField(lower[4], lower[5]);
}

// lowerPattern is already lower-cased and not empty. Both bytes are compared as unsigned: a plain
// char may be signed, and a byte above 0x7F would then never equal its folded self.
bool ContainsLowered(std::string_view token, std::string_view lowerPattern) {
    const auto found = std::search(token.begin(), token.end(), lowerPattern.begin(), lowerPattern.end(),
                                   [](char t, char p) {
                                       return FoldCase(static_cast<unsigned char>(t)) == static_cast<unsigned char>(p);
                                   });
    return found != token.end();
}

// Index of the first part before the last one that contains any pattern; 0 when none does. Each
// pattern is turned into its lower-cased 8-bit form once; empty ones can never match and go.
size_t PatternIndex(const TParts& parts, const qm::api::TStrArr& patternList) {
    std::vector<std::string> patterns;
    patterns.reserve(patternList.size());
    for (const auto& entry : patternList) {
        if (!entry.empty()) {
            patterns.push_back(qm::api::LowerAscii(qm::api::ToAnsi(entry)));
        }
    }
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        for (const auto& pattern : patterns) {
            if (ContainsLowered(parts[i], pattern)) {
                return i;
            }
        }
    }
    return 0;
}

}  // namespace

bool ContainsNoCase(std::string_view token, std::string_view pattern) {
    return !pattern.empty() && ContainsLowered(token, qm::api::LowerAscii(pattern));
}

std::string DeriveTargetFolder(std::string_view filePath, const qm::api::TStrArr& patternList) {
    const std::string name = qm::api::NameOfPath(qm::api::DropTrailingBackslash(filePath));
    const TParts parts = SplitAtDots(name);

    // Only the first part that looks like an episode token counts, even when it is part 0; a
    // name needs at least one title part before it.
    const auto episodeAt = std::find_if(parts.begin(), parts.end(), IsEpisodeToken);
    if (episodeAt == parts.end() || episodeAt == parts.begin()) {
        return {};
    }
    const auto episode = static_cast<size_t>(episodeAt - parts.begin());
    const std::string_view seasonTag = parts[episode].substr(0, 3);  // case as the file writes it

    // The search ends at the first part that holds a pattern. Only a pattern token after the
    // episode token drops anything: the parts between the two (normally the episode title). A
    // match at or before it (in the title, as in Aachen or Show.720p.S01E02) drops nothing, and
    // the name is built as if there were no pattern token.
    const size_t pattern = PatternIndex(parts, patternList);

    // Every part but the last, the episode token replaced by the season tag. Empty parts keep
    // their place and so their dots.
    std::string folderName;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        if (i == episode) {
            folderName += '.';
            folderName += seasonTag;
        } else if (i < episode || i >= pattern) {
            folderName += '.';
            folderName += parts[i];
        }
    }
    if (!folderName.empty()) {
        folderName.erase(0, 1);
    }

    std::string result = qm::api::AddTrailingBackslash(qm::api::DirOfPath(filePath));
    result += folderName;
    return result;
}

}  // namespace qm::sorter
