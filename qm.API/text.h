#pragma once
// Byte-string primitives of the support library. Texts are 8-bit strings in the ANSI code page.
// Positions are 1-based; 0 means "not found". Searches look at the text up to its first NUL.

#include <string>
#include <string_view>

namespace qm::api {

// ASCII-only case folding: 'A'..'Z' become 'a'..'z', every other byte value stays as it is.
inline unsigned char FoldCase(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}
// FoldCase over a text, only where a character starts: in a double-byte code page the second byte
// of a character stays, since 修 (8F 43 in Shift-JIS) would otherwise become 縦 (8F 63).
std::string LowerAscii(std::string_view text);
// The same into out, which holds text.size() bytes (the folder-name rule folds every file name).
void LowerAsciiInto(std::string_view text, char* out);

// First position of byte; for byte 0 the terminator's position (length of the view + 1). 0 when absent.
int FindChar(std::string_view text, char byte);
// Last position of byte; for byte 0 the terminator's position. 0 when absent.
int FindLastChar(std::string_view text, char byte);
// Latest position holding any byte of set; the terminator's position when none does.
int FindLastOfAny(std::string_view text, std::string_view set);
// First position of byte at or after from (from <= 0 counts as 1); 0 when none or from is past the end.
int FindCharFrom(char byte, std::string_view text, int from);

// The first n bytes (empty for n <= 0, the whole text when n >= length).
std::string HeadOf(std::string_view text, int n);
// The bytes from pos to the end (whole text for pos <= 1, empty when pos > length).
std::string TailFrom(std::string_view text, int pos);

// False for an empty prefix/suffix or text; otherwise a byte comparison, folded when !caseSensitive.
bool StartsWith(std::string_view prefix, std::string_view text, bool caseSensitive);
bool EndsWith(std::string_view suffix, std::string_view text, bool caseSensitive);
std::string CutPrefix(std::string_view text, std::string_view prefix, bool caseSensitive);
std::string CutSuffix(std::string_view text, std::string_view suffix, bool caseSensitive);

}  // namespace qm::api
