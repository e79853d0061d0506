#include "qm.API/files.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "qm.API/handles.h"

namespace qm::api {

namespace {

// Big batches of names only, and no entries the file system would have to fetch from elsewhere
// first. A system refuses what it does not know yet: on-disk entries only before Windows 10 1803
// (the headers declare the flag only for such targets), large fetches and the basic level before
// Windows 7. Each search is asked for with less until one is granted, so that only a folder that
// cannot be listed at all gives no files.
constexpr DWORD kOnDiskEntriesOnly = 4;
struct TSearchKind {
    FINDEX_INFO_LEVELS Level;
    DWORD Flags;
};
constexpr TSearchKind kSearchKinds[] = {
    {FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH | kOnDiskEntriesOnly},
    {FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH},
    {FindExInfoStandard, 0},
};

// Every file is opened shared with readers, writers and deleters, as an editor or a sync client
// expects of a program that only reads.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A text with a NUL inside would reach the platform cut short and name another path.
bool HasNul(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

DWORD AttributesOf(std::string_view path) {
    if (HasNul(path)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return GetFileAttributesA(std::string(path).c_str());
}

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Where a file or folder lies once every link on the way to it is followed, as a drive or network
// path without a trailing backslash; empty when that cannot be told or has no such form (a volume
// without a drive letter).
std::u16string FinalPathOf(const std::u16string& path) {
    const TFileHandle item(CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::u16string final(MAX_PATH, u'\0');
    DWORD length = 0;
    // Too small a buffer gives the size needed; each try grows it, so the loop always ends.
    while (item && (length = GetFinalPathNameByHandleW(item.get(), reinterpret_cast<wchar_t*>(final.data()),
                                                       static_cast<DWORD>(final.size()), 0)) >= final.size()) {
        final.resize(static_cast<size_t>(length) + 1);
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

}  // namespace

bool IsExistingFile(std::string_view path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsExistingFolder(std::string_view path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolder(std::string_view path) {
    if (HasNul(path)) {
        return false;
    }
    return CreateDirectoryA(std::string(path).c_str(), nullptr) != 0;
}

std::u16string FullPathOf(std::u16string_view path) {
    const std::u16string given(path);
    // Asked with no buffer, the platform tells the size the path needs, its NUL included.
    const DWORD needed = GetFullPathNameW(Wide(given), 0, nullptr, nullptr);
    if (needed == 0) {
        return {};
    }
    std::u16string full(needed, u'\0');
    const DWORD length = GetFullPathNameW(Wide(given), needed, reinterpret_cast<wchar_t*>(full.data()), nullptr);
    if (length == 0 || length >= needed) {
        return {};
    }
    full.resize(length);
    return full;
}

TStrArr ListFiles(std::u16string_view folder, std::u16string_view mask, bool descend) {
    TStrArr files;
    std::u16string base(folder);
    if (base.empty() || base.back() != u'\\') {
        base += u'\\';
    }
    const std::u16string pattern = base + std::u16string(mask);

    WIN32_FIND_DATAW entry{};
    TFindHandle search;
    for (const TSearchKind& kind : kSearchKinds) {
        search.reset(FindFirstFileExW(Wide(pattern), kind.Level, &entry, FindExSearchNameMatch, nullptr, kind.Flags));
        if (search) {
            break;
        }
    }
    if (!search) {
        return files;
    }
    TStrArr subFolders;
    do {
        if (IsDotOrDotDot(entry.cFileName)) {
            continue;
        }
        std::u16string path = base;
        path += reinterpret_cast<const char16_t*>(entry.cFileName);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            files.push_back(std::move(path));
        } else if (descend && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            // A junction or directory link may lead back to an ancestor: it is not entered.
            subFolders.push_back(std::move(path));
        }
    } while (FindNextFileW(search.get(), &entry));
    search.reset();

    for (const auto& subFolder : subFolders) {
        for (auto& file : ListFiles(subFolder, mask, true)) {
            files.push_back(std::move(file));
        }
    }
    return files;
}

std::string NewFileIn(std::string_view folder) {
    char path[MAX_PATH] = {};
    if (HasNul(folder) || GetTempFileNameA(std::string(folder).c_str(), "tid", 0, path) == 0) {
        return {};
    }
    return path;
}

bool RemoveFile(std::string_view path) {
    return !HasNul(path) && DeleteFileA(std::string(path).c_str()) != 0;
}

std::string FileStart(std::string_view path, size_t count) {
    if (HasNul(path) || count > MAXDWORD) {
        return {};
    }
    const TFileHandle file(CreateFileA(std::string(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string start(count, '\0');
    DWORD read = 0;
    if (!file || !ReadFile(file.get(), start.data(), static_cast<DWORD>(count), &read, nullptr)) {
        return {};
    }
    start.resize(read);
    return start;
}

bool WhileOpenForReading(std::string_view path, int patienceMs, const std::function<void()>& read) {
    constexpr int kPollMs = 100;
    if (HasNul(path)) {
        return false;
    }
    for (int waited = 0;; waited += kPollMs) {
        const TFileHandle file(CreateFileA(std::string(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            read();
            return true;
        }
        if (waited >= patienceMs) {
            return false;
        }
        Sleep(kPollMs);
    }
}

bool MoveFileAlone(std::u16string_view source, std::u16string_view target, const std::function<bool()>& prepare) {
    const std::u16string from(source);
    // No sharing: refused (a sharing violation) while any other handle reads or writes the file.
    const TFileHandle file(CreateFileW(Wide(from), DELETE | SYNCHRONIZE, 0, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file || target.size() > MAXSHORT || !prepare()) {
        return false;
    }
    // The rename record ends in the target's name, NUL included.
    const size_t nameBytes = target.size() * sizeof(WCHAR);
    std::vector<std::byte> buffer(
        std::max(sizeof(FILE_RENAME_INFO), offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(WCHAR)));
    auto* rename = new (buffer.data()) FILE_RENAME_INFO{};
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(rename->FileName, target.data(), nameBytes);
    return SetFileInformationByHandle(file.get(), FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != 0;
}

bool MoveFileNoReplace(std::u16string_view source, std::u16string_view target) {
    const std::u16string from(source);
    const std::u16string to(target);
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
    return MoveFileW(Wide(from), Wide(to)) != 0;
}

std::u16string WithoutFileLink(const std::u16string& path) {
    const size_t name = path.rfind(u'\\');
    if (name == std::u16string::npos) {
        return path;
    }
    // Where the file leads against where it would lie in its folder: they differ only when the file
    // itself is a link, whatever links lie among the folders.
    const std::u16string file = FinalPathOf(path);
    const std::u16string inPlace = FinalPathOf(path.substr(0, name + 1)) + path.substr(name);
    const bool isLink = !file.empty() && inPlace.size() > path.size() - name &&
                        CompareStringOrdinal(Wide(file), -1, Wide(inPlace), -1, TRUE) != CSTR_EQUAL;
    return isLink ? file : path;
}

}  // namespace qm::api
