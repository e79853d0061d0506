#include "qm.API/registry.h"

#include "qm.API/handles.h"
#include "qm.API/key_path.h"

namespace qm::api {

bool RegWriteValue(HKEY root, std::string_view keyPath, std::string_view valueName, uint32_t type,
                   std::string_view data, int32_t size) {
    // The size is the caller's word; never let it send the platform past the data it was given.
    if (size < 0 || static_cast<size_t>(size) > data.size()) {
        return false;
    }
    const std::string path(keyPath);
    TRegKey key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::string name(valueName);
    return RegSetValueExA(key.get(), name.empty() ? nullptr : name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool RegWriteText(HKEY root, std::string_view keyPath, std::string_view valueName, std::string_view text) {
    std::string bytes(text);
    bytes += '\0';
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) {
        return false;
    }
    return RegWriteValue(root, keyPath, valueName, REG_SZ, bytes, static_cast<int32_t>(bytes.size()));
}

std::string RegReadText(HKEY root, std::string_view keyPath, std::string_view valueName) {
    const std::string path(keyPath);
    TRegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        return {};
    }
    const std::string name(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) {
        return {};
    }
    std::string text(size, '\0');
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    // The text ends at its first NUL, normally the stored terminator; a value written without
    // one keeps every byte rather than losing its last character.
    text.resize(size);
    const size_t end = text.find('\0');
    if (end != std::string::npos) {
        text.resize(end);
    }
    return text;
}

bool RegRemoveKey(HKEY root, std::string_view keyPath) {
    const TKeySplit split = SplitKeyPath(keyPath);
    // An empty child would ask the platform to delete the opened parent itself.
    if (split.Child.empty()) {
        return false;
    }
    TRegKey parent;
    if (RegOpenKeyExA(root, split.Parent.c_str(), 0, KEY_WRITE, parent.put()) != ERROR_SUCCESS) {
        return false;
    }
    return RegDeleteKeyA(parent.get(), split.Child.c_str()) == ERROR_SUCCESS;
}

}  // namespace qm::api
