// The folder-name rule and the move on any entry and patterns (scripts/fuzz.sh): no memory error or
// undefined behaviour under the sanitizers; a finished file moves exactly when its name survives the
// code page and gives a plain folder in its own folder, whatever the length; it keeps its name, and
// both paths of the move are in their long form.

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
                         folder.starts_with(AddTrailingBackslash(DirOfPath(path))) &&
                         qm::sorter::PlaceholdersIn({entry}).empty();
    // Both paths in their long form: the path itself, or behind \\?\ (\\?\UNC\ for \\server), and
    // never bare when absolute, so that no length binds it and every name is taken as written.
    const auto isLongFormOf = [](const std::u16string& form, const std::u16string& path) {
        const bool drive = path.size() > 2 && (path[0] | 0x20) >= u'a' && (path[0] | 0x20) <= u'z' && path[1] == u':';
        const bool absolute = path.starts_with(u"\\\\") || (drive && path[2] == u'\\');
        return (form == path && (!absolute || path.starts_with(u"\\\\?\\") || path.starts_with(u"\\\\.\\"))) ||
               form == u"\\\\?\\" + path || (path.starts_with(u"\\\\") && form == u"\\\\?\\UNC" + path.substr(1));
    };
    const std::u16string target = ToUtf16(folder) + u"\\" + name;
    if (move.has_value() != movable || (move && (move->Folder != folder + "\\" || !isLongFormOf(move->Source, entry) ||
                                                 !isLongFormOf(move->Target, target)))) {
        std::abort();  // libFuzzer keeps the input
    }
    return 0;
}
