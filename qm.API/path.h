#pragma once
// Path splitting. Only the backslash and the colon separate components; a forward slash is an
// ordinary character. A directory part keeps its trailing separator. In a double-byte code page
// the second byte of a character is never a separator, even when it has the backslash's code.

#include <string>
#include <string_view>

namespace qm::api {

// Up to and including the last backslash or colon; empty when none.
std::string DirOfPath(std::string_view path);
// After the last backslash or colon; the whole path when neither occurs. DirOfPath followed by
// NameOfPath is the path.
std::string NameOfPath(std::string_view path);
// From the last dot, dot included, to the end; the search does not stop at separators.
std::string ExtOfPath(std::string_view path);
// NameOfPath without its extension.
std::string BareNameOfPath(std::string_view path);
// Whether the text's last character is a backslash.
bool EndsInBackslash(std::string_view text);
// Appends one backslash unless the last character already is one ("" gives "\").
std::string AddTrailingBackslash(std::string_view text);
// Removes exactly one trailing backslash, if there is one.
std::string DropTrailingBackslash(std::string_view text);

}  // namespace qm::api
