#pragma once
// Registry values and keys below a predefined root (the program always passes HKEY_CURRENT_USER).
// Each operation opens its own key, does one thing and closes the key again. An empty value name
// addresses the key's default (unnamed) value. Failures are results: false or an empty text.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::api {

// Creates the key (and missing keys above it) and sets one value from the first `size` bytes of
// data. False when size is negative or larger than data, or when the key or value cannot be set.
bool RegWriteValue(HKEY root, std::string_view keyPath, std::string_view valueName, uint32_t type,
                   std::string_view data, int32_t size);

// A REG_SZ value holding the text and its terminating NUL (an empty text is one NUL byte).
bool RegWriteText(HKEY root, std::string_view keyPath, std::string_view valueName, std::string_view text);

// The text of a REG_SZ value, up to its first NUL; all of its bytes when it was stored without
// one. Empty when the key or value is missing or the value has another type.
std::string RegReadText(HKEY root, std::string_view keyPath, std::string_view valueName);

// Deletes the one key named by the path, which must have no subkeys. A one-level path names no
// key below a parent and deletes nothing. True only when the key was deleted.
bool RegRemoveKey(HKEY root, std::string_view keyPath);

}  // namespace qm::api
