#pragma once
// Conversions between 8-bit text in the active ANSI code page and UTF-16 text. A character without
// a mapping becomes the platform's substitute character. On Windows the platform converts; off
// Windows a Windows-1252 stand-in does, so that the same rules run in native tests.

#include <optional>
#include <string>
#include <string_view>

namespace qm::api {

std::u16string ToUtf16(std::string_view ansi);
std::string ToAnsi(std::u16string_view wide);

// The 8-bit form of a text only when it converts back to the very same text: no character became
// a substitute or a look-alike (the platform's best fit turns a full-width quote or backslash
// into a real one, which would name another path).
std::optional<std::string> ToAnsiExact(std::u16string_view wide);

}  // namespace qm::api
