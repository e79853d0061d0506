// The folder-name rule and the move on any entry and patterns (scripts/fuzz.sh): no memory error or
// undefined behaviour under the sanitizers; a finished file moves exactly when its name survives the
// code page and gives a plain folder in its own folder (target not too long), keeping its name.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "qm.API/convert.h"
#include "qm.API/file_name.h"
#include "qm.API/path.h"
#include "sorter/move_target.h"

using namespace qm::api;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    TStrArr patterns(input.ConsumeIntegralInRange(0, 5));
    for (auto& pattern : patterns) {
        pattern = ToUtf16(input.ConsumeRandomLengthString(8));
    }
    // Bytes of the code page with one unit set to anything, up to a NUL, as a listing gives them.
    const auto unit = input.ConsumeIntegral<char16_t>();
    std::u16string entry = ToUtf16(input.ConsumeRemainingBytesAsString()) + unit;
    entry.resize(entry.find(u'\0') == std::u16string::npos ? entry.size() : entry.find(u'\0'));
    const std::string path = ToAnsi(entry);
    const std::string folder = qm::sorter::DeriveTargetFolder(path, patterns);
    const auto move = qm::sorter::MoveTargetOf(entry, patterns);
    const std::u16string name = entry.substr(entry.rfind(u'\\') + 1);
    const bool movable = ToUtf16(path) == entry && IsPlainFileName(NameOfPath(folder)) &&
                         folder.starts_with(AddTrailingBackslash(DirOfPath(path))) && !name.empty() &&
                         !name.ends_with(u'.') && !name.ends_with(u' ') && qm::sorter::PlaceholdersIn({entry}).empty();
    if ((move && !movable) || (!move && movable && folder.size() + 1 + name.size() <= qm::sorter::MaxTargetLength) ||
        (move && (move->Folder != folder + "\\" || !move->Target.ends_with(u"\\" + name) ||
                  move->Target.size() > qm::sorter::MaxTargetLength || move->Target.starts_with(u"\\\\?\\")))) {
        std::abort();  // libFuzzer keeps the input
    }
    return 0;
}
