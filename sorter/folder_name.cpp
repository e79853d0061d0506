#include "sorter/folder_name.h"

#include <algorithm>

#include "qm.API/convert.h"
#include "qm.API/dbcs.h"
#include "qm.API/number.h"
#include "qm.API/path.h"
#include "qm.API/text.h"

namespace qm::sorter {

using qm::api::FoldCase;

namespace {

// The rule is run for every file of a folder, so it works on views into the path and builds the
// result in one allocation. The parts of the name are never copied: a part is the run of bytes
// between two dots of the name. That is what the rule's UTF-16 round trip of each part gives as
// well: the name is 8-bit text made from the UTF-16 file name, and a dot (0x2E) is never the
// trail byte of a double-byte character, so every part is a run of whole characters and comes
// back unchanged.

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
    return lower[0] == 's' && lower[3] == 'e' && IsNumberField(lower[1], lower[2]) && IsNumberField(lower[4], lower[5]);
}

// Where the first part of text that is an episode token starts, or npos.
size_t EpisodeTokenAt(std::string_view text) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '.') {
            if (i - start == 6 && IsEpisodeToken(text.substr(start, 6))) {
                return start;
            }
            start = i + 1;
        }
    }
    return std::string_view::npos;
}

// Where the first pattern occurrence in text starts (text already lower-cased, from the start of
// a name), or npos. A pattern holds no dot, so an occurrence never reaches across one: the part
// that holds the earliest occurrence is the first part that contains any pattern. Lower-casing
// changes no lead byte and no second byte, so the characters of text are those of the name.
size_t FirstPatternAt(std::string_view text, const TPatternSet& patterns) {
    if (patterns.Lowered.empty()) {
        return std::string_view::npos;
    }
    for (size_t at = 0; at < text.size(); ++at) {
        const auto first = static_cast<unsigned char>(text[at]);
        const size_t rest = text.size() - at;
        for (uint32_t k = patterns.FirstOf[first]; k < patterns.FirstOf[first + 1u]; ++k) {
            // Patterns are short: a plain loop beats a call of memcmp.
            const std::string& pattern = patterns.Lowered[k];
            if (pattern.size() > rest) {
                continue;
            }
            size_t i = 1;
            while (i < pattern.size() && text[at + i] == pattern[i]) {
                ++i;
            }
            // In a double-byte code page an occurrence must start a character: the second byte of
            // ア is an 'A', and "アAC" holds no AAC.
            if (i == pattern.size() &&
                qm::api::ByteKindAt(text, static_cast<int>(at) + 1) != qm::api::ByteKind::Trail) {
                return at;
            }
        }
    }
    return std::string_view::npos;
}

}  // namespace

TPatternSet PreparePatterns(const qm::api::TStrArr& patternList) {
    TPatternSet set;
    for (const auto& entry : patternList) {
        std::string pattern = qm::api::LowerAscii(qm::api::ToAnsi(entry));
        // An empty pattern never matches; one with a dot cannot, since a part holds none.
        if (!pattern.empty() && pattern.find('.') == std::string::npos) {
            set.Lowered.push_back(std::move(pattern));
        }
    }
    // Which pattern matched is never asked, only where: order and repeats do not matter.
    std::sort(set.Lowered.begin(), set.Lowered.end());
    set.Lowered.erase(std::unique(set.Lowered.begin(), set.Lowered.end()), set.Lowered.end());
    uint32_t k = 0;
    for (unsigned byte = 0; byte < 256; ++byte) {
        set.FirstOf[byte] = k;
        while (k < set.Lowered.size() && static_cast<unsigned char>(set.Lowered[k][0]) == byte) {
            ++k;
        }
    }
    set.FirstOf[256] = k;
    return set;
}

bool ContainsNoCase(std::string_view token, std::string_view pattern) {
    const std::string lowerToken = qm::api::LowerAscii(token);
    const std::string lowerPattern = qm::api::LowerAscii(pattern);
    if (lowerPattern.empty()) {
        return false;
    }
    for (size_t at = lowerToken.find(lowerPattern); at != std::string::npos;
         at = lowerToken.find(lowerPattern, at + 1)) {
        if (qm::api::ByteKindAt(lowerToken, static_cast<int>(at) + 1) != qm::api::ByteKind::Trail) {
            return true;
        }
    }
    return false;
}

std::string DeriveTargetFolder(std::string_view filePath, const TPatternSet& patterns) {
    // The name is what follows the directory as DirOfPath finds it (its last backslash or colon that
    // is no second byte of a double-byte character), without one trailing backslash. The
    // directory itself is taken from the whole path.
    const bool trailingBackslash = qm::api::EndsInBackslash(filePath);
    const std::string_view trimmed = trailingBackslash ? filePath.substr(0, filePath.size() - 1) : filePath;
    const auto nameStart = static_cast<size_t>(qm::api::FindLastDelim("\\:", trimmed));
    const std::string_view name = trimmed.substr(nameStart);
    const size_t directoryLength = trailingBackslash ? filePath.size() : nameStart;

    // The parts of a name: a dot closes the current part, even an empty one, and the text after
    // the last dot counts only when it is not empty. So the parts are the dot-separated pieces of
    // the name without one trailing dot (a trailing dot adds no part), and an empty name has none.
    if (name.empty()) {
        return {};
    }
    const std::string_view body = name.back() == '.' ? name.substr(0, name.size() - 1) : name;

    // Only the first part that looks like an episode token counts, even when it is part 0 (which
    // starts at 0, as no other part does); a name needs at least one title part before it.
    const size_t episode = EpisodeTokenAt(body);
    if (episode == std::string_view::npos || episode == 0) {
        return {};
    }

    // Every part but the last, with their dots: the only parts that are searched and used. There
    // is a last dot, since the episode token is not part 0.
    const std::string_view head = body.substr(0, body.rfind('.'));
    const size_t episodeEnd = episode + 6;

    // The search ends at the first part that holds a pattern. Only a pattern token after the
    // episode token drops anything: the parts between the two (normally the episode title). A
    // match at or before it (in the title, as in Aachen or Show.720p.S01E02) drops nothing, and
    // the name is built as if there were no pattern token. Each part is lower-cased once, all of
    // them together.
    char stackCopy[256];
    std::string heapCopy;
    char* lowered = stackCopy;
    if (head.size() > sizeof stackCopy) {
        heapCopy.resize(head.size());
        lowered = heapCopy.data();
    }
    qm::api::LowerAsciiInto(head, lowered);
    const size_t match = FirstPatternAt(std::string_view(lowered, head.size()), patterns);

    // The directory with a backslash ensured.
    std::string result;
    result.reserve(directoryLength + 1 + head.size());
    result.append(filePath.substr(0, directoryLength));
    if (result.empty() || result.back() != '\\') {
        result += '\\';
    }

    if (episode > head.size()) {
        // The episode token is the last part: not even its season tag is used.
        result.append(head);
    } else if (match != std::string_view::npos && match > episodeEnd) {
        // Title parts, the season tag (case as the file writes it), then the part holding the
        // pattern and every part after it.
        result.append(head.substr(0, episode + 3));
        result.append(head.substr(head.rfind('.', match)));
    } else {
        // Every part, the episode token cut to its season tag. Empty parts keep their dots.
        result.append(head.substr(0, episode + 3));
        result.append(head.substr(episodeEnd));
    }
    return result;
}

std::string DeriveTargetFolder(std::string_view filePath, const qm::api::TStrArr& patternList) {
    return DeriveTargetFolder(filePath, PreparePatterns(patternList));
}

}  // namespace qm::sorter
