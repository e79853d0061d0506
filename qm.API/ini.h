#pragma once
// Private-profile (INI) files of the support library. All texts are 8-bit (ANSI code page); the
// argument order is always file, section, key, then the value or the fallback. An empty section,
// key or value is passed to the platform as an empty text, never as a null pointer, so it never
// means "the whole section" or "delete".

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::api {

// The key's value cut to its first 1023 characters, or fallback when the file, the section or
// the key is missing.
std::string IniReadText(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view fallback);
// The key's value read by ParseIntOr: fallback when missing, empty or not a number.
int32_t IniReadNumber(std::string_view file, std::string_view section, std::string_view key, int32_t fallback);

// Writes key=value into the section, creating the file and the section when needed; true when the
// platform reports success.
bool IniWriteText(std::string_view file, std::string_view section, std::string_view key, std::string_view value);
// IniWriteText with the value in plain decimal.
bool IniWriteNumber(std::string_view file, std::string_view section, std::string_view key, int32_t value);
// Makes the platform write out what it may still hold of the file, so that the file on disk is
// complete before it is moved or read by another process.
void IniFlush(std::string_view file);

}  // namespace qm::api
