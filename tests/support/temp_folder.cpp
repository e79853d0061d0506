#include "support/temp_folder.h"

#include <windows.h>

#include <functional>

namespace qm::test {

namespace {

// Calls visit(name, attributes) for every entry of folder but "." and "..".
void ForEachEntry(const std::string& folder, const std::function<void(const std::string&, DWORD)>& visit) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") {
            visit(Utf8(name), entry.dwFileAttributes);
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

bool IsDirectoryLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void Snapshot(const std::string& root, const std::string& relative, std::map<std::string, std::string>& tree) {
    ForEachEntry(root + "\\" + relative, [&](const std::string& name, DWORD attributes) {
        if (IsDirectoryLink(attributes)) {
            tree[relative + name + "\\"] = "<link>";
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[relative + name + "\\"] = "<dir>";
            Snapshot(root, relative + name + "\\", tree);
        } else {
            // The \\?\ form reads names such as CON.S01E02.mkv as files, not as devices.
            tree[relative + name] = ReadBytes("\\\\?\\" + root + "\\" + relative + name);
        }
    });
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                           nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

TTempFolder::TTempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = Utf8(base);
        path_ += "tidyreel-test-";
        path_ += std::to_string(GetCurrentProcessId());
        path_ += "-";
        path_ += std::to_string(++counter);
        if (CreateDirectoryW(Wide(path_).c_str(), nullptr)) {
            break;
        }
    }
}

TTempFolder::~TTempFolder() {
    RemoveTree(path_);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

bool MakeFolders(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    const size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos && cut > 2 && !MakeFolders(path.substr(0, cut))) {
        return false;
    }
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

void RemoveTree(const std::string& path) {
    ForEachEntry(path, [&](const std::string& name, DWORD attributes) {
        const std::string child = path + "\\" + name;
        const std::wstring wideChild = Wide(child);
        if (IsDirectoryLink(attributes)) {
            // Only the link goes; what it points to is not this tree's.
            if (!RemoveDirectoryW(wideChild.c_str())) {
                DeleteFileW(wideChild.c_str());
            }
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(child);
        } else {
            SetFileAttributesW(wideChild.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(wideChild.c_str());
        }
    });
    RemoveDirectoryW(Wide(path).c_str());
}

std::map<std::string, std::string> SnapshotTree(const std::string& root) {
    std::map<std::string, std::string> tree;
    Snapshot(root, "", tree);
    return tree;
}

}  // namespace qm::test
