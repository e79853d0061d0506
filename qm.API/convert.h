#pragma once
// Conversions between 8-bit text in the active ANSI code page and UTF-16 text. A character without
// a mapping becomes the platform's substitute character. On Windows the platform converts; off
// Windows a Windows-1252 stand-in does, so that the same rules run in native tests.

#include <string>
#include <string_view>

namespace qm::api {

std::u16string ToUtf16(std::string_view ansi);
std::string ToAnsi(std::u16string_view wide);

}  // namespace qm::api
