#include "support/plain_folder_name.h"

#include "qm.API/convert.h"
#include "qm.API/number.h"
#include "qm.API/path.h"
#include "qm.API/text.h"

namespace qm::test {

// The parts are kept as UTF-16 texts and turned back into 8-bit text for every test and every
// copy, each pattern is converted and lower-cased for every part, and the folder name is
// collected piece by piece.
std::string PlainTargetFolder(std::string_view filePath, const qm::api::TStrArr& patternList) {
    using namespace qm::api;

    // 1. The name: everything after the last backslash or colon, extension included.
    const std::string name = NameOfPath(DropTrailingBackslash(filePath));

    // 2. A dot closes the current part, even an empty one; the rest counts only when not empty.
    TStrArr tokens;
    std::string current;
    for (const char c : name) {
        if (c == '.') {
            tokens.push_back(ToUtf16(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        tokens.push_back(ToUtf16(current));
    }
    const int last = static_cast<int>(tokens.size()) - 1;

    // 3. The first part of six characters, s first and e fourth, with two number fields.
    int episode = -1;
    for (int i = 0; i <= last; ++i) {
        const std::string part = LowerAscii(ToAnsi(tokens[static_cast<size_t>(i)]));
        int32_t ignored = 0;
        if (part.size() == 6 && part[0] == 's' && part[3] == 'e' && ParseInt(part.substr(1, 2), ignored) &&
            ParseInt(part.substr(4, 2), ignored)) {
            episode = i;
            break;
        }
    }
    if (episode <= 0) {
        return {};
    }

    // 4. The first part before the last that contains any non-empty pattern; 0 when none does.
    int pattern = 0;
    bool searching = true;
    for (int i = 0; i < last && searching; ++i) {
        const std::string part = LowerAscii(ToAnsi(tokens[static_cast<size_t>(i)]));
        for (const auto& entry : patternList) {
            const std::string lowered = LowerAscii(ToAnsi(entry));
            if (!lowered.empty() && part.find(lowered) != std::string::npos) {
                pattern = i;
                searching = false;
                break;
            }
        }
    }

    // 5. The pieces: with a pattern token after the episode token the parts between the two go;
    // otherwise (no pattern token, or one in the title or the token itself) every part stays.
    // The episode token gives its first three characters; the last part never takes part.
    std::string folderName;
    for (int i = 0; i < last; ++i) {
        const std::string part = ToAnsi(tokens[static_cast<size_t>(i)]);
        if (i == episode) {
            folderName += '.';
            folderName += part.substr(0, 3);
        } else if (pattern <= episode || i < episode || i >= pattern) {
            folderName += '.';
            folderName += part;
        }
    }
    if (!folderName.empty()) {
        folderName.erase(0, 1);
    }

    // 6. The file's directory with a backslash ensured, then the folder name.
    std::string result = AddTrailingBackslash(DirOfPath(filePath));
    result += folderName;
    return result;
}

}  // namespace qm::test
