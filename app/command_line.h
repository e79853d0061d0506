#pragma once
// Splitting of the program's command line into words.

#include <string>
#include <string_view>
#include <vector>

namespace qm::app {

// Every word of the command line, the program's own first word included. Characters 1 to 32
// separate words outside double quotes; a double quote switches quoting and is dropped, except that
// two in a row are dropped together without switching; the backslash is an ordinary character. A
// word made only of quotes ("") is an empty word and counts. The text ends at its first NUL.
// UTF-16, as the platform holds it: the 8-bit command line is made from it with look-alikes
// (a full-width quote becomes a real one), which would split and name other folders.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

}  // namespace qm::app
