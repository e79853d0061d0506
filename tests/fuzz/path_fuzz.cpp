// The path helpers on any path, with double-byte character sets switched on and off and any set of
// lead bytes (given as the platform's ranges or byte by byte). The directory and the name are a
// prefix and a suffix of the path; the directory ends in a separator that is not the second byte
// of a double-byte character, found the same way as by reading the path from its start; the name
// holds no separator; the extension and the bare name make up the name; a backslash is added or
// dropped exactly once.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "qm.API/dbcs.h"
#include "qm.API/path.h"

namespace {

using namespace qm::api;

// Sets the process-wide state afresh for one input.
void SetLeadBytes(FuzzedDataProvider& input) {
    Dbcs = TDbcsState{};
    Dbcs.DbcsEnabled = input.ConsumeBool();
    if (input.ConsumeBool()) {
        unsigned char ranges[12] = {};
        for (auto& byte : ranges) {
            byte = input.ConsumeIntegral<unsigned char>();
        }
        MarkLeadByteRanges(ranges);
    } else {
        for (int byte = 0; byte < 256; ++byte) {
            if (input.ConsumeIntegralInRange(0, 7) == 0) {
                Dbcs.LeadBytes.set(static_cast<size_t>(byte));
            }
        }
    }
}

// Which bytes are second bytes of a double-byte character, read from the start of the text: a lead
// byte takes the byte after it.
std::vector<bool> TrailBytesFromTheStart(std::string_view text) {
    std::vector<bool> trail(text.size(), false);
    if (!Dbcs.DbcsEnabled) {
        return trail;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (Dbcs.LeadBytes.test(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            trail[++i] = true;
        }
    }
    return trail;
}

int LastDelimFromTheStart(std::string_view delimiters, std::string_view text) {
    const std::vector<bool> trail = TrailBytesFromTheStart(text);
    int last = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\0' && delimiters.find(text[i]) != std::string_view::npos && !trail[i]) {
            last = static_cast<int>(i) + 1;
        }
    }
    return last;
}

bool IsSeparator(char c) {
    return c == '\\' || c == ':';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    SetLeadBytes(input);
    const std::string delimiters = input.ConsumeRandomLengthString(4);
    // Lead bytes are 0x81 and above in every double-byte code page, so a separator is never one:
    // the rules take a delimiter that is the second byte of a character together with its first.
    for (const char delimiter : delimiters + "\\:") {
        Dbcs.LeadBytes.reset(static_cast<unsigned char>(delimiter));
    }
    const std::string raw = input.ConsumeRemainingBytesAsString();
    // The byte searches end at a NUL, which no path from the platform holds: a text with one is
    // only run for memory errors; the properties are checked on what comes before it.
    for (const auto& result : {DirOfPath(raw), NameOfPath(raw), ExtOfPath(raw), BareNameOfPath(raw)}) {
        CHECK(result.size() <= raw.size());
    }
    const std::string path = raw.substr(0, raw.find('\0'));

    // Byte kinds: a second byte always follows a first byte; a first byte is a lead byte value.
    const std::vector<bool> trail = TrailBytesFromTheStart(path);
    for (int i = 1; i <= static_cast<int>(path.size()); ++i) {
        const ByteKind kind = ByteKindAt(path, i);
        const auto byte = static_cast<unsigned char>(path[static_cast<size_t>(i) - 1]);
        if (!Dbcs.DbcsEnabled || byte == 0) {
            CHECK(kind == ByteKind::Plain);
            continue;
        }
        CHECK((kind == ByteKind::Trail) == trail[static_cast<size_t>(i) - 1]);
        if (kind == ByteKind::Trail) {
            CHECK(i > 1 && ByteKindAt(path, i - 1) == ByteKind::Lead);
        }
        if (kind == ByteKind::Lead) {
            CHECK(Dbcs.LeadBytes.test(byte));
        }
    }
    CHECK(FindLastDelim(delimiters, path) == LastDelimFromTheStart(delimiters, path));

    const std::string dir = DirOfPath(path);
    CHECK(path.starts_with(dir));
    CHECK(static_cast<int>(dir.size()) == LastDelimFromTheStart("\\:", path));
    CHECK(dir.empty() || IsSeparator(dir.back()));

    const std::string name = NameOfPath(path);
    CHECK(path.ends_with(name));
    CHECK(name.find_first_of("\\:") == std::string::npos);
    // The name's search is byte by byte, so it never starts before the directory's end.
    CHECK(dir.size() + name.size() <= path.size());
    if (!Dbcs.DbcsEnabled) {
        CHECK(dir + name == path);
    }

    const std::string ext = ExtOfPath(path);
    CHECK(path.ends_with(ext));
    CHECK(ext.empty() || (ext.front() == '.' && ext.find('.', 1) == std::string::npos));
    CHECK(ext.empty() == (path.find('.') == std::string::npos));
    CHECK(BareNameOfPath(path) + ExtOfPath(name) == name);

    const std::string added = AddTrailingBackslash(path);
    CHECK(added.ends_with('\\'));
    CHECK(added == path || added == path + "\\");
    CHECK(AddTrailingBackslash(added) == added);
    const std::string dropped = DropTrailingBackslash(path);
    CHECK(dropped == path || dropped + "\\" == path);
    if (!path.ends_with('\\')) {
        CHECK(DropTrailingBackslash(added) == path);
    }
    return 0;
}
