#include "qm.API/text.h"

#include <algorithm>

#include "qm.API/dbcs.h"

namespace qm::api {

namespace {

// The part of text that the searches look at: everything before its first NUL byte.
std::string_view NulView(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

int Position(size_t offset) {
    return static_cast<int>(offset) + 1;
}

// Whether sub occurs at the 1-based position pos of text; empty texts never match.
bool OccursAt(std::string_view sub, std::string_view text, long long pos, bool caseSensitive) {
    if (sub.empty() || text.empty() || pos < 1) {
        return false;
    }
    if (pos + static_cast<long long>(sub.size()) - 1 > static_cast<long long>(text.size())) {
        return false;
    }
    const auto start = static_cast<size_t>(pos - 1);
    for (size_t i = 0; i < sub.size(); ++i) {
        auto a = static_cast<unsigned char>(sub[i]);
        auto b = static_cast<unsigned char>(text[start + i]);
        if (!caseSensitive) {
            a = FoldCase(a);
            b = FoldCase(b);
        }
        if (a != b) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string LowerAscii(std::string_view text) {
    std::string result(text.size(), '\0');
    LowerAsciiInto(text, result.data());
    return result;
}

void LowerAsciiInto(std::string_view text, char* out) {
    const bool doubleByte = Dbcs.DbcsEnabled;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        out[i] = static_cast<char>(FoldCase(byte));
        // A lead byte (never a letter itself) takes the byte after it into its character.
        if (doubleByte && Dbcs.LeadBytes.test(byte) && i + 1 < text.size()) {
            ++i;
            out[i] = text[i];
        }
    }
}

int FindChar(std::string_view text, char byte) {
    const std::string_view view = NulView(text);
    if (byte == '\0') {
        return Position(view.size());
    }
    const size_t at = view.find(byte);
    return at == std::string_view::npos ? 0 : Position(at);
}

int FindLastChar(std::string_view text, char byte) {
    const std::string_view view = NulView(text);
    if (byte == '\0') {
        return Position(view.size());
    }
    const size_t at = view.rfind(byte);
    return at == std::string_view::npos ? 0 : Position(at);
}

int FindLastOfAny(std::string_view text, std::string_view set) {
    // Callers read the NUL at the terminator's position as "no match", so that is the answer
    // until a byte of the set is found.
    const int terminator = Position(NulView(text).size());
    int answer = terminator;
    for (char byte : set) {
        const int found = FindLastChar(text, byte);
        if (found != 0 && (answer == terminator || found > answer)) {
            answer = found;
        }
    }
    return answer;
}

int FindCharFrom(char byte, std::string_view text, int from) {
    const std::string_view view = NulView(text);
    from = std::max(from, 1);
    if (view.empty() || static_cast<size_t>(from) > view.size()) {
        return 0;
    }
    const size_t at = view.find(byte, static_cast<size_t>(from) - 1);
    return at == std::string_view::npos ? 0 : Position(at);
}

std::string HeadOf(std::string_view text, int n) {
    if (n <= 0) {
        return {};
    }
    return std::string(text.substr(0, static_cast<size_t>(n)));
}

std::string TailFrom(std::string_view text, int pos) {
    if (pos <= 1) {
        return std::string(text);
    }
    if (static_cast<size_t>(pos) > text.size()) {
        return {};
    }
    return std::string(text.substr(static_cast<size_t>(pos) - 1));
}

bool StartsWith(std::string_view prefix, std::string_view text, bool caseSensitive) {
    return OccursAt(prefix, text, 1, caseSensitive);
}

bool EndsWith(std::string_view suffix, std::string_view text, bool caseSensitive) {
    const long long pos = static_cast<long long>(text.size()) - static_cast<long long>(suffix.size()) + 1;
    return OccursAt(suffix, text, pos, caseSensitive);
}

std::string CutPrefix(std::string_view text, std::string_view prefix, bool caseSensitive) {
    if (!StartsWith(prefix, text, caseSensitive)) {
        return std::string(text);
    }
    return std::string(text.substr(prefix.size()));
}

std::string CutSuffix(std::string_view text, std::string_view suffix, bool caseSensitive) {
    if (!EndsWith(suffix, text, caseSensitive)) {
        return std::string(text);
    }
    return std::string(text.substr(0, text.size() - suffix.size()));
}

}  // namespace qm::api
