#include "app/command_line.h"

namespace qm::app {

namespace {

bool IsSeparator(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;  // a quote alone starts a word, so "" is an empty argument
    bool quoted = false;
    for (size_t i = 0; i < commandLine.size() && commandLine[i] != '\0'; ++i) {
        const char c = commandLine[i];
        if (c == '"') {
            inWord = true;
            if (i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
                ++i;  // a doubled quote is dropped whole and leaves quoting as it was
            } else {
                quoted = !quoted;
            }
        } else if (!quoted && IsSeparator(c)) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace qm::app
