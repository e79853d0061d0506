// The platform converts with the active ANSI code page; flags 0 leave the platform's own
// substitute (and best-fit) rules in force for characters without a mapping.

#include "qm.API/convert.h"

#include <windows.h>

#include <climits>

namespace qm::api {

std::u16string ToUtf16(std::string_view ansi) {
    // The platform counts in int; a text beyond that cannot be converted and gives the empty result.
    if (ansi.empty() || ansi.size() > static_cast<size_t>(INT_MAX)) {
        return {};
    }
    const int inLength = static_cast<int>(ansi.size());
    const int outLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, nullptr, 0);
    if (outLength <= 0) {
        return {};
    }
    std::u16string wide(static_cast<size_t>(outLength), u'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, reinterpret_cast<wchar_t*>(wide.data()),
                                            outLength);
    wide.resize(static_cast<size_t>(written > 0 ? written : 0));
    return wide;
}

std::string ToAnsi(std::u16string_view wide) {
    if (wide.empty() || wide.size() > static_cast<size_t>(INT_MAX)) {
        return {};
    }
    const int inLength = static_cast<int>(wide.size());
    const auto* in = reinterpret_cast<const wchar_t*>(wide.data());
    const int outLength = WideCharToMultiByte(CP_ACP, 0, in, inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) {
        return {};
    }
    std::string ansi(static_cast<size_t>(outLength), '\0');
    const int written = WideCharToMultiByte(CP_ACP, 0, in, inLength, ansi.data(), outLength, nullptr, nullptr);
    ansi.resize(static_cast<size_t>(written > 0 ? written : 0));
    return ansi;
}

}  // namespace qm::api
