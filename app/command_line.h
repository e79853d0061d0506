#pragma once
// Splitting of the program's 8-bit command line into words.

#include <string>
#include <string_view>
#include <vector>

namespace qm::app {

// Every word of the command line, the program's own first word included. Bytes 1 to 32 separate
// words outside double quotes; a double quote switches quoting and is dropped, except that two
// in a row are dropped together without switching; the backslash is an ordinary byte. A word made
// only of quotes ("") is an empty word and counts. The text ends at its first NUL.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace qm::app
