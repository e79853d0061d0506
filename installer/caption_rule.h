#pragma once
// Which menu captions can name the SendTo shortcut file.

#include <string_view>

namespace qm::installer {

// True when "<caption>.lnk" is a plain file name inside the SendTo folder: not empty, not "." or
// "..", no character of \ / : * ? " < > | and no control character, not ending in a space or a
// dot, and not a device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, any letter case, with or
// without an extension). Any other caption would put the shortcut somewhere else or nowhere.
bool IsPlainFileName(std::string_view caption);

}  // namespace qm::installer
