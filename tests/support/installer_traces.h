#pragma once
// What the installer leaves behind, seen from a test: raw registry values under HKEY_CURRENT_USER
// and the shortcut files of the user's SendTo folder. Every Wine test shares one prefix, so tests
// that touch these clear them before and after.

#include <windows.h>

#include <string>
#include <vector>

namespace qm::test {

// True inside Wine, whose test prefix is thrown away after the run. The installer tests clear the
// tool's registry keys and every shortcut of the SendTo folder; on a real Windows account that
// would remove the developer's own entries, so those tests skip themselves there.
bool InThrowawayWinePrefix();

// The keys the installer writes, spelled out here rather than taken from the program.
inline const std::string VerbKey = "SOFTWARE\\Classes\\Directory\\shell\\QuillmoorsTidyreel";
inline const std::string CommandKey = VerbKey + "\\command";
inline const std::string OwnKey = "SOFTWARE\\Quillmoor\\Tidyreel";

struct TStoredValue {
    bool Exists = false;
    DWORD Type = 0;
    std::string Bytes;  // as stored, a terminating NUL included
};

// A value of a key below HKEY_CURRENT_USER; an empty name reads the default value.
TStoredValue ReadStoredValue(const std::string& key, const std::string& name = {});
bool KeyExists(const std::string& key);
// Sets a value of any type from raw bytes, creating the key.
bool StoreValue(const std::string& key, const std::string& name, DWORD type, const std::string& bytes);
// A REG_SZ value with its terminating NUL.
bool StoreText(const std::string& key, const std::string& name, const std::string& text);
// Deletes a key with everything below it.
void RemoveKeyTree(const std::string& key);

// The user's SendTo folder, without a trailing backslash.
std::string SendToFolder();
// Names of the .lnk files in the SendTo folder, sorted.
std::vector<std::string> SendToShortcuts();

// What a shortcut file holds, read back through the Shell Link object.
struct TStoredLink {
    bool Loaded = false;
    std::string Path;
    std::string Arguments;
    std::string Description;
    std::string WorkingDirectory;
};
TStoredLink ReadLink(const std::string& path);

// Removes the verb key, the tool's own key and every .lnk file of the SendTo folder.
void ClearInstallerTraces();

}  // namespace qm::test
