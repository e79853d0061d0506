#pragma once
// Real files for platform and end-to-end tests: a fresh folder per test, removed afterwards, and a
// snapshot of a tree to compare before and after a run. Paths here are UTF-8 and reach the
// platform through its UTF-16 entry points, so names outside the ANSI code page work too; an
// ASCII path is the same text in UTF-8 and in the ANSI code page.

#include <map>
#include <string>

namespace qm::test {

// A new empty folder in the temporary folder, deleted with everything in it on destruction.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder's path without a trailing backslash.
    const std::string& Path() const { return path_; }
    // Path() + "\" + relative.
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// Writes (replacing) a file with the given bytes; true on success. Parent folders must exist.
bool WriteBytes(const std::string& path, const std::string& bytes);
// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
// Creates a folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);
// Deletes a folder and everything below it; links are removed, never followed.
void RemoveTree(const std::string& path);

// Every entry below root (an absolute path) by its path relative to root: files map to their
// content, folders to the marker "<dir>" (their path carries a trailing backslash), directory
// links to "<link>" (not followed).
std::map<std::string, std::string> SnapshotTree(const std::string& root);

}  // namespace qm::test
