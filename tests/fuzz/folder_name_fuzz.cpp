// The folder-name rule and the move on any path with any pattern list (scripts/fuzz.sh). A season
// folder lies in the file's own directory and is named from the file name's own bytes in order;
// order, letter case and repeats of the patterns change nothing; a move exists exactly when the
// name survives the code page and gives a plain folder name, and the file keeps its own name.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "qm.API/convert.h"
#include "qm.API/file_name.h"
#include "qm.API/path.h"
#include "sorter/move_target.h"

#define CHECK(property)                                                                \
    if (!(property)) {                                                                 \
        std::fprintf(stderr, "property broken at line %d: %s\n", __LINE__, #property); \
        std::abort();                                                                  \
    }

using namespace qm::api;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    TStrArr patterns(input.ConsumeIntegralInRange(0, 5));
    for (auto& pattern : patterns) {
        pattern = ToUtf16(input.ConsumeRandomLengthString(8));
    }
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const std::string path = bytes.substr(0, bytes.find('\0'));  // a listed path ends at a NUL

    const std::string derived = qm::sorter::DeriveTargetFolder(path, patterns);
    const std::string home = AddTrailingBackslash(DirOfPath(path));
    const std::string fileName = NameOfPath(DropTrailingBackslash(path));
    CHECK(derived.empty() ||
          (derived.starts_with(home) && derived.find_first_of("\\:", home.size()) == std::string::npos));
    for (size_t i = home.size(), at = 0; !derived.empty() && i < derived.size(); ++i, ++at) {
        at = fileName.find(derived[i], at);
        CHECK(at != std::string::npos);
    }
    TStrArr shuffled(patterns.rbegin(), patterns.rend());
    for (auto pattern : patterns) {
        for (auto& c : pattern) {
            c = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
        }
        shuffled.push_back(pattern);
    }
    CHECK(qm::sorter::DeriveTargetFolder(path, shuffled) == derived);

    const std::u16string entry = ToUtf16(path);
    const auto move = qm::sorter::MoveTargetOf(entry, patterns);
    CHECK(move.has_value() == (ToAnsi(entry) == path && !derived.empty() && IsPlainFileName(NameOfPath(derived))));
    CHECK(!move ||
          (move->Folder == derived + "\\" && move->Target.ends_with(entry.substr(entry.find_last_of(u'\\') + 1))));
    return 0;
}
