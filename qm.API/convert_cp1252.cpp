// Windows-1252 stands in for the ANSI code page off Windows, so that the same rules run in native
// tests. It maps as Windows does, including the five bytes it leaves undefined, which pass
// through as the C1 control characters of the same value.

#include "qm.API/convert.h"

namespace qm::api {

namespace {

// UTF-16 values of the bytes 0x80..0x9F; every other byte value is its own code point.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

constexpr char kSubstitute = '?';

char16_t ByteToUnit(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : char16_t{byte};
}

// The byte for one UTF-16 unit that is not a surrogate, or the substitute when there is none.
char UnitToByte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return kSubstitute;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::u16string ToUtf16(std::string_view ansi) {
    std::u16string wide;
    wide.reserve(ansi.size());
    for (char c : ansi) {
        wide += ByteToUnit(static_cast<unsigned char>(c));
    }
    return wide;
}

std::string ToAnsi(std::u16string_view wide) {
    std::string ansi;
    ansi.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        const char16_t unit = wide[i];
        if (unit < 0x80) {
            ansi += static_cast<char>(unit);
        } else if (IsHighSurrogate(unit)) {
            // A character outside the basic plane has no byte: its pair gives one substitute.
            if (i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
                ++i;
            }
            ansi += kSubstitute;
        } else {
            ansi += UnitToByte(unit);  // a lone low surrogate has no byte either
        }
    }
    return ansi;
}

}  // namespace qm::api
