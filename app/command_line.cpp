#include "app/command_line.h"

namespace qm::app {

namespace {

bool IsSeparator(char16_t c) {
    return c >= 1 && c <= 32;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine) {
    std::vector<std::u16string> words;
    std::u16string word;
    bool inWord = false;  // a quote alone starts a word, so "" is an empty argument
    bool quoted = false;
    for (size_t i = 0; i < commandLine.size() && commandLine[i] != u'\0'; ++i) {
        const char16_t c = commandLine[i];
        if (c == u'"') {
            inWord = true;
            if (i + 1 < commandLine.size() && commandLine[i + 1] == u'"') {
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
