// DeriveTargetFolder and MoveTargetOf on any path with any pattern list. A season folder always
// lies in the file's own directory and its name holds no separator; the name is made of the file
// name's own parts; the order, the letter case and empty or repeated entries of the pattern list
// change nothing. A move, when there is one, takes the file from where it was listed into a
// usable folder one level below its own directory, under its own name.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "qm.API/convert.h"
#include "qm.API/dbcs.h"
#include "qm.API/file_name.h"
#include "qm.API/path.h"
#include "qm.API/text.h"
#include "sorter/folder_name.h"
#include "sorter/move_target.h"

namespace {

using namespace qm::api;
using qm::sorter::DeriveTargetFolder;
using qm::sorter::LongPathOf;
using qm::sorter::MoveTargetOf;

std::vector<std::string_view> SplitAtEveryDot(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t dot = text.find('.'); dot != std::string_view::npos; dot = text.find('.', start)) {
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Every part of the folder name is, in order, a part of the file name or the first three bytes of
// a six-byte one (the season tag of an episode token).
bool IsMadeOfTheNamesParts(std::string_view folderName, std::string_view fileName) {
    const auto nameParts = SplitAtEveryDot(fileName);
    size_t next = 0;
    for (const auto part : SplitAtEveryDot(folderName)) {
        while (next < nameParts.size() && nameParts[next] != part &&
               !(nameParts[next].size() == 6 && nameParts[next].substr(0, 3) == part)) {
            ++next;
        }
        if (next == nameParts.size()) {
            return false;
        }
        ++next;
    }
    return true;
}

bool HasEpisodeShapedPartAfterTheFirst(std::string_view fileName) {
    const auto parts = SplitAtEveryDot(fileName);
    return std::any_of(parts.begin() + 1, parts.end(), [](std::string_view part) {
        return part.size() == 6 && FoldCase(static_cast<unsigned char>(part[0])) == 's' &&
               FoldCase(static_cast<unsigned char>(part[3])) == 'e';
    });
}

std::u16string UpperAscii(std::u16string text) {
    for (auto& c : text) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return text;
}

void CheckDerivedFolder(const std::string& path, const TStrArr& patterns) {
    const std::string derived = DeriveTargetFolder(path, patterns);
    const std::string home = AddTrailingBackslash(DirOfPath(path));
    const std::string fileName = NameOfPath(DropTrailingBackslash(path));
    if (!derived.empty()) {
        CHECK(derived.starts_with(home));
        const std::string_view folderName = std::string_view(derived).substr(home.size());
        CHECK(folderName.find_first_of("\\:") == std::string_view::npos);
        CHECK(folderName.size() <= fileName.size());
        CHECK(IsMadeOfTheNamesParts(folderName, fileName));
        CHECK(HasEpisodeShapedPartAfterTheFirst(fileName));
    }

    TStrArr reordered(patterns.rbegin(), patterns.rend());
    reordered.push_back(u"");
    if (!patterns.empty()) {
        reordered.push_back(patterns.front());
    }
    CHECK(DeriveTargetFolder(path, reordered) == derived);
    TStrArr upper;
    for (const auto& pattern : patterns) {
        upper.push_back(UpperAscii(pattern));
    }
    CHECK(DeriveTargetFolder(path, upper) == derived);

    // The folder name depends on the file name alone.
    if (!Dbcs.DbcsEnabled) {
        const std::string elsewhere = DeriveTargetFolder("D:\\Video\\" + fileName, patterns);
        CHECK(elsewhere.empty() == derived.empty());
        if (!derived.empty()) {
            CHECK(elsewhere.substr(9) == derived.substr(home.size()));
        }
    }
}

void CheckMove(const std::u16string& entry, const TStrArr& patterns) {
    const auto move = MoveTargetOf(entry, patterns);
    const std::string path = ToAnsi(entry);
    const bool survivesConversion = ToUtf16(path) == entry;
    const std::string derived = survivesConversion ? DeriveTargetFolder(path, patterns) : std::string();
    const bool usable = !derived.empty() && qm::api::IsPlainFileName(NameOfPath(derived));
    CHECK(move.has_value() == usable);
    if (!move) {
        return;
    }
    CHECK(move->Folder == AddTrailingBackslash(derived));
    CHECK(move->Source == LongPathOf(entry));
    CHECK(move->Source != move->Target);

    const size_t cut = entry.find_last_of(u'\\');
    const std::u16string_view entryName = cut == std::u16string::npos ? std::u16string_view(entry)
                                                                      : std::u16string_view(entry).substr(cut + 1);
    CHECK(move->Target.ends_with(entryName));

    // A listed entry is its folder, a backslash and a name without colons. The folder the rule
    // reads from the 8-bit path is then the entry's own, and the target sits one level below it.
    if (cut == std::u16string::npos || entryName.find(u':') != std::u16string_view::npos) {
        return;
    }
    const std::u16string entryFolder = entry.substr(0, cut + 1);
    if (ToAnsi(entryFolder) != DirOfPath(path)) {
        return;
    }
    const std::string folderName = NameOfPath(derived);
    CHECK(folderName != "." && folderName != "..");
    std::u16string expected = entryFolder;
    expected += ToUtf16(folderName);
    expected += u'\\';
    expected += entryName;
    CHECK(move->Target == LongPathOf(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    Dbcs = TDbcsState{};
    if (input.ConsumeIntegralInRange(0, 3) == 0) {
        // A double-byte code page's lead bytes, 0x81 to 0xFE at most.
        Dbcs.DbcsEnabled = true;
        const auto low = input.ConsumeIntegralInRange<unsigned>(0x81, 0xFE);
        const auto high = input.ConsumeIntegralInRange<unsigned>(low, 0xFE);
        for (unsigned byte = low; byte <= high; ++byte) {
            Dbcs.LeadBytes.set(byte);
        }
    }
    TStrArr patterns(input.ConsumeIntegralInRange(0, 6));
    for (auto& pattern : patterns) {
        pattern = ToUtf16(input.ConsumeRandomLengthString(12));
    }

    if (input.ConsumeBool()) {
        // A listed path holds no NUL (a name ends at the first one), and the rule's byte searches
        // stop there: a text with one is only run for memory errors.
        const std::string raw = input.ConsumeRemainingBytesAsString();
        const std::string path = raw.substr(0, raw.find('\0'));
        if (path.size() < raw.size()) {
            DeriveTargetFolder(raw, patterns);
            MoveTargetOf(ToUtf16(raw), patterns);
        }
        CheckDerivedFolder(path, patterns);
        CheckMove(ToUtf16(path), patterns);
    } else {
        // Any UTF-16 entry, also with characters the ANSI code page cannot hold.
        std::u16string entry;
        while (input.remaining_bytes() >= 2) {
            entry += static_cast<char16_t>(input.ConsumeIntegral<uint16_t>());
        }
        CheckMove(entry.substr(0, entry.find(u'\0')), patterns);
    }
    return 0;
}
