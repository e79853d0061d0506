// Any entry and patterns: no memory error or undefined behaviour; a finished file moves exactly when its name survives
// the code page and gives a plain folder in its own folder, whatever the length, keeps its name, both paths long-form.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>

#include "qm.API/convert.h"
#include "qm.API/file_name.h"
#include "qm.API/path.h"
#include "sorter/move_target.h"

using namespace qm::api;

// The path itself, or behind \\?\ (\\?\UNC\ for \\server), never bare when absolute: no length binds it
// and every name is taken as written.
bool IsLongFormOf(const std::u16string& form, const std::u16string& path) {
    const bool drive = path.size() > 2 && (path[0] | 0x20) >= u'a' && (path[0] | 0x20) <= u'z' && path[1] == u':';
    const bool absolute = path.starts_with(u"\\\\") || (drive && path[2] == u'\\');
    return (form == path && (!absolute || path.starts_with(u"\\\\?\\") || path.starts_with(u"\\\\.\\"))) ||
           form == u"\\\\?\\" + path || (path.starts_with(u"\\\\") && form == u"\\\\?\\UNC" + path.substr(1));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    TStrArr patterns(input.ConsumeIntegralInRange(0, 5));
    std::ranges::generate(patterns, [&] { return ToUtf16(input.ConsumeRandomLengthString(8)); });
    // Bytes of the code page with one unit set to anything, up to a NUL, as a listing gives them.
    const auto unit = input.ConsumeIntegral<char16_t>();
    std::u16string entry = ToUtf16(input.ConsumeRemainingBytesAsString()) + unit;
    entry.resize(std::min(entry.find(u'\0'), entry.size()));
    const std::string path = ToAnsi(entry), folder = qm::sorter::DeriveTargetFolder(path, patterns);
    const auto move = qm::sorter::MoveTargetOf(entry, patterns);
    const bool movable = ToUtf16(path) == entry && IsPlainFileName(NameOfPath(folder)) &&
                         folder.starts_with(AddTrailingBackslash(DirOfPath(path))) &&
                         qm::sorter::PlaceholdersIn({entry}).empty();
    const std::u16string target = ToUtf16(folder) + u"\\" + entry.substr(entry.rfind(u'\\') + 1);
    if (move.has_value() != movable || (move && (move->Folder != folder + "\\" || !IsLongFormOf(move->Source, entry) ||
                                                 !IsLongFormOf(move->Target, target)))) {
        std::abort();  // libFuzzer keeps the input
    }
    return 0;
}
