#include "qm.API/ini.h"

#include <windows.h>

namespace qm::api {

namespace {

// The platform reads the value into a buffer of this size, its terminating zero included.
constexpr DWORD kValueBuffer = 1024;

}  // namespace

std::string IniReadText(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view fallback) {
    char buffer[kValueBuffer] = {};
    const DWORD length = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                                  std::string(fallback).c_str(), buffer, kValueBuffer,
                                                  std::string(file).c_str());
    return std::string(buffer, length < kValueBuffer ? length : kValueBuffer - 1);
}

bool IniWriteText(std::string_view file, std::string_view section, std::string_view key, std::string_view value) {
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), std::string(file).c_str()) != 0;
}

void IniFlush(std::string_view file) {
    // The one call with null section, key and value: it writes nothing and flushes the cache.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, std::string(file).c_str());
}

}  // namespace qm::api
