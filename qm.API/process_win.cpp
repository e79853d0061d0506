#include "qm.API/process.h"

#include <windows.h>

#include "qm.API/convert.h"
#include "qm.API/handles.h"

namespace qm::api {

namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Where a file or folder lies once every link on the way to it is followed, as a drive or network
// path without a trailing backslash; empty when that cannot be told or has no such form (a volume
// without a drive letter).
std::u16string FinalPathOf(const std::u16string& path) {
    const TFileHandle item(CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::u16string final(MAX_PATH, u'\0');
    DWORD length = 0;
    while (item && (length = GetFinalPathNameByHandleW(item.get(), reinterpret_cast<wchar_t*>(final.data()),
                                                       static_cast<DWORD>(final.size()), 0)) >= final.size()) {
        final.resize(length);
    }
    final.resize(length);
    if (final.starts_with(u"\\\\?\\UNC\\")) {
        final.replace(0, 8, u"\\\\");
    } else if (final.starts_with(u"\\\\?\\") && final.size() > 6 && final[5] == u':') {
        final.erase(0, 4);
    } else {
        return {};
    }
    if (final.ends_with(u'\\')) {
        final.pop_back();
    }
    return final;
}

// winget starts a portable program through a symbolic link in its Links folder, and the program
// then sees the link's path as its own: its settings file and its Explorer entry would lie in that
// folder, apart from those of the same program started from its package folder. So a link that is
// the executable's file itself is followed. Links among the folders on the way are kept: Scoop's
// "current" junction must stay in the path for the entry to outlive the next update.
std::u16string WithoutFileLink(const std::u16string& path) {
    const size_t name = path.rfind(u'\\');
    if (name == std::u16string::npos) {
        return path;
    }
    const std::u16string file = FinalPathOf(path);
    const std::u16string inPlace = FinalPathOf(path.substr(0, name + 1)) + path.substr(name);
    const bool isLink = !file.empty() && inPlace.size() > path.size() - name &&
                        CompareStringOrdinal(Wide(file), -1, Wide(inPlace), -1, TRUE) != CSTR_EQUAL;
    return isLink ? file : path;
}

}  // namespace

std::string ExecutablePath() {
    // A full buffer means the path was cut: grow until it fits, so that the settings file and the
    // Explorer command name the file that really exists.
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            path.resize(length);
            break;
        }
        if (size >= 0x100000) {
            return {};
        }
        path.resize(static_cast<size_t>(size) * 2);
    }
    // The 8-bit path would be made with look-alikes (Łódź becomes Lódz), naming another file.
    return ToAnsiExact(WithoutFileLink(path)).value_or(std::string());
}

}  // namespace qm::api
