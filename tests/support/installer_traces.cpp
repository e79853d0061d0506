#include "support/installer_traces.h"

#include <shlobj.h>

#include <algorithm>

#include "qm.API/handles.h"

namespace qm::test {

TStoredValue ReadStoredValue(const std::string& key, const std::string& name) {
    TStoredValue value;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return value;
    }
    DWORD size = 0;
    if (RegQueryValueExA(opened, name.c_str(), nullptr, &value.Type, nullptr, &size) == ERROR_SUCCESS) {
        value.Bytes.resize(size);
        value.Exists = RegQueryValueExA(opened, name.c_str(), nullptr, &value.Type,
                                        reinterpret_cast<BYTE*>(value.Bytes.data()), &size) == ERROR_SUCCESS;
        value.Bytes.resize(size);
    }
    RegCloseKey(opened);
    return value;
}

bool KeyExists(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(opened);
    return true;
}

bool StoreValue(const std::string& key, const std::string& name, DWORD type, const std::string& bytes) {
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const bool ok = RegSetValueExA(created, name.empty() ? nullptr : name.c_str(), 0, type,
                                   reinterpret_cast<const BYTE*>(bytes.data()),
                                   static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    RegCloseKey(created);
    return ok;
}

bool StoreText(const std::string& key, const std::string& name, const std::string& text) {
    return StoreValue(key, name, REG_SZ, text + '\0');
}

void RemoveKeyTree(const std::string& key) {
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

std::string SendToFolder() {
    PWSTR wide = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_SendTo, 0, nullptr, &wide))) {
        char narrow[MAX_PATH * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
        folder = narrow;
    }
    CoTaskMemFree(wide);
    return folder;
}

std::vector<std::string> SendToShortcuts() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((SendToFolder() + "\\*.lnk").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(entry.cFileName);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

TStoredLink ReadLink(const std::string& path) {
    TStoredLink stored;
    const qm::api::TComApartment com;
    qm::api::TComPtr<IShellLinkA> link;
    qm::api::TComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.put()))) ||
        FAILED(link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) {
        return stored;
    }
    wchar_t wide[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
    stored.Loaded = SUCCEEDED(file.get()->Load(wide, STGM_READ));
    char text[1024] = {};
    link.get()->GetPath(text, sizeof text, nullptr, 0);
    stored.Path = text;
    text[0] = '\0';
    link.get()->GetArguments(text, sizeof text);
    stored.Arguments = text;
    text[0] = '\0';
    link.get()->GetDescription(text, sizeof text);
    stored.Description = text;
    text[0] = '\0';
    link.get()->GetWorkingDirectory(text, sizeof text);
    stored.WorkingDirectory = text;
    return stored;
}

bool InThrowawayWinePrefix() {
    // Wine's ntdll exports its version; Windows' does not.
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void ClearInstallerTraces() {
    RemoveKeyTree(VerbKey);
    RemoveKeyTree(OwnKey);
    for (const std::string& name : SendToShortcuts()) {
        DeleteFileA((SendToFolder() + "\\" + name).c_str());
    }
}

}  // namespace qm::test
