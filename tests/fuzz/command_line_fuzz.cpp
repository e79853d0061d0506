// SplitCommandLine on any byte string. Nothing is lost or invented: the bytes of the words are
// exactly the bytes of the line before its first NUL, less every double quote and less the
// separators that stood outside quotes; no word holds a double quote; a line without quotes splits
// at every separator; and words written back quoted and joined by blanks split into themselves.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "check.h"

namespace {

bool IsSeparator(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
}

std::string WithoutSeparators(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (!IsSeparator(c)) {
            kept += c;
        }
    }
    return kept;
}

// The plain split of a line without quotes: runs of non-separator bytes.
std::vector<std::string> RunsBetweenSeparators(std::string_view line) {
    std::vector<std::string> runs;
    std::string run;
    for (const char c : line) {
        if (IsSeparator(c)) {
            if (!run.empty()) {
                runs.push_back(run);
                run.clear();
            }
        } else {
            run += c;
        }
    }
    if (!run.empty()) {
        runs.push_back(run);
    }
    return runs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view line = input.substr(0, input.find('\0'));
    const std::vector<std::string> words = qm::app::SplitCommandLine(input);

    std::string joined;
    for (const auto& word : words) {
        CHECK(word.find('"') == std::string::npos);
        CHECK(word.find('\0') == std::string::npos);
        joined += word;
    }
    std::string lineWithoutQuotes;
    for (const char c : line) {
        if (c != '"') {
            lineWithoutQuotes += c;
        }
    }
    CHECK(WithoutSeparators(joined) == WithoutSeparators(lineWithoutQuotes));
    CHECK(joined.size() <= lineWithoutQuotes.size());

    if (line.find('"') == std::string_view::npos) {
        CHECK(words == RunsBetweenSeparators(line));
    }

    // What the installer and Explorer do with a path: quote it. Every word comes back whole.
    std::string requoted;
    for (const auto& word : words) {
        requoted += "\"";
        requoted += word;
        requoted += "\" ";
    }
    CHECK(qm::app::SplitCommandLine(requoted) == words);
    return 0;
}
