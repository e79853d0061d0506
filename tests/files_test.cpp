// The file-system helpers against Wine's real file system, in a fresh temporary folder per test.

#include <windows.h>

#include <gtest/gtest.h>

#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "support/temp_folder.h"

#include <algorithm>
#include <string>

using namespace qm::api;
using namespace std::string_literals;
using qm::test::TTempFolder;

namespace {

std::u16string U16(const std::string& ascii) {
    return ToUtf16(ascii);
}

// The listing's names relative to root, sorted, as UTF-8 for readable failures.
std::vector<std::string> Relative(const TStrArr& paths, const std::string& root) {
    std::vector<std::string> names;
    for (const auto& path : paths) {
        names.push_back(ToAnsi(path).substr(root.size() + 1));
    }
    return names;
}

TEST(ExistenceTests, FilesAndFolders) {
    TTempFolder temp;
    ASSERT_TRUE(qm::test::WriteBytes(temp / "file.txt", "x"));
    ASSERT_TRUE(qm::test::WriteBytes(temp / "hidden.mkv", "x"));
    ASSERT_TRUE(SetFileAttributesA((temp / "hidden.mkv").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(qm::test::MakeFolders(temp / "dir.S01"));
    struct Case {
        std::string path;
        bool file;
        bool folder;
        const char* why;
    };
    const Case cases[] = {
        {temp / "file.txt", true, false, ""},
        {temp / "hidden.mkv", true, false, "hidden and system bits do not matter"},
        {temp / "dir.S01", false, true, ""},
        {temp / "dir.S01\\", false, true, "trailing backslash"},
        {temp / "missing", false, false, ""},
        {"", false, false, "empty path"},
        {temp / "file.txt\0.dir"s, false, false, "a NUL would cut the path to another one"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsExistingFile(c.path), c.file) << c.path << " " << c.why;
        EXPECT_EQ(IsExistingFolder(c.path), c.folder) << c.path << " " << c.why;
    }
}

TEST(MakeFolderPath, CreatesWhatIsMissing) {
    TTempFolder temp;
    ASSERT_TRUE(qm::test::WriteBytes(temp / "Show.S01", "a file, not a folder"));
    struct Case {
        std::string path;
        bool result;
        std::string created;  // a folder that exists afterwards, or "" for none to check
        const char* why;
    };
    const Case cases[] = {
        {temp / "Video\\Show.S02\\", true, temp / "Video\\Show.S02", "nested, outermost first"},
        {temp / "Video\\Show.S02\\", true, temp / "Video\\Show.S02", "exists: true again"},
        {temp / "New\\Sub", true, temp / "New\\Sub", "without trailing backslash"},
        {temp / "Show.S01\\", false, "", "the name is taken by a file"},
        {temp / "Show.S01\\Sub\\", false, "", "a file in the middle of the path"},
        {"", false, "", "empty"},
        {"\\", true, "", "a lone backslash is a root"},
        {"C:", true, "", "a drive"},
        {"C:\\", true, "", "a drive root"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeFolderPath(c.path), c.result) << c.path << " " << c.why;
        if (!c.created.empty()) {
            EXPECT_TRUE(IsExistingFolder(c.created)) << c.why;
        }
    }
    EXPECT_EQ(qm::test::ReadBytes(temp / "Show.S01"), "a file, not a folder");
    // One level only: an existing folder or a missing parent is a failure.
    EXPECT_FALSE(MakeFolder(temp / "New"));
    EXPECT_FALSE(MakeFolder(temp / "Missing\\Child"));
}

TEST(MakeFolderPath, ReturnsTrueWithoutCreating) {
    TTempFolder temp;
    // Two trailing backslashes: after one is dropped the path is its own parent.
    EXPECT_TRUE(MakeFolderPath(temp / "Twice\\\\"));
    EXPECT_FALSE(IsExistingFolder(temp / "Twice"));
    // A relative name without separators has an empty parent, which cannot be made.
    EXPECT_FALSE(MakeFolderPath("TidyreelRelative"));
    EXPECT_FALSE(IsExistingFolder("TidyreelRelative"));
}

TEST(MakeFolderPath, MissingDriveFails) {
    const DWORD drives = GetLogicalDrives();
    char letter = 'Q';
    while (letter <= 'Y' && (drives & (1u << (letter - 'A')))) {
        ++letter;
    }
    ASSERT_LE(letter, 'Y') << "no free drive letter";
    EXPECT_FALSE(MakeFolderPath(std::string(1, letter) + ":\\Video\\Show.S01\\"));
}

TEST(ListFiles, FilesOfTheFolderOnly) {
    TTempFolder temp;
    for (const char* name : {"b.mkv", "a", ".dotted", "Show.S01E02.mkv"}) {
        ASSERT_TRUE(qm::test::WriteBytes(temp / name, name));
    }
    ASSERT_TRUE(SetFileAttributesA((temp / "a").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(qm::test::MakeFolders(temp / "sub.S01"));
    ASSERT_TRUE(qm::test::WriteBytes(temp / "sub.S01\\inner.mkv", ""));

    const std::vector<std::string> expected = {".dotted", "Show.S01E02.mkv", "a", "b.mkv"};
    for (const std::string& folder : {temp.Path(), temp.Path() + "\\"}) {
        const TStrArr listed = ListFiles(U16(folder), u"*.*", false);
        for (const auto& path : listed) {
            EXPECT_TRUE(ToAnsi(path).starts_with(temp.Path() + "\\")) << "one backslash after " << folder;
        }
        auto names = Relative(listed, temp.Path());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, expected) << folder;
    }
}

TEST(ListFiles, NothingToList) {
    TTempFolder temp;
    EXPECT_TRUE(ListFiles(U16(temp.Path()), u"*.*", false).empty()) << "empty folder";
    EXPECT_TRUE(ListFiles(U16(temp / "missing"), u"*.*", false).empty()) << "missing folder";
    ASSERT_TRUE(qm::test::WriteBytes(temp / "a.txt", ""));
    EXPECT_TRUE(ListFiles(U16(temp.Path()), u"*.mkv", false).empty()) << "nothing matches";
    EXPECT_TRUE(ListFiles(U16(temp / "a.txt"), u"*.*", false).empty()) << "a file is no folder";
}

TEST(ListFiles, DescentListsOwnFilesFirstThenDepthFirst) {
    TTempFolder temp;
    ASSERT_TRUE(qm::test::MakeFolders(temp / "one\\deep"));
    ASSERT_TRUE(qm::test::MakeFolders(temp / "two"));
    for (const char* name : {"top1", "top2", "one\\x", "one\\deep\\y", "two\\z"}) {
        ASSERT_TRUE(qm::test::WriteBytes(temp / name, ""));
    }
    const auto names = Relative(ListFiles(U16(temp.Path()), u"*.*", true), temp.Path());
    ASSERT_EQ(names.size(), 5u);
    // The platform's order within a folder is its own; the grouping is the rule's.
    const std::vector<std::string> top(names.begin(), names.begin() + 2);
    EXPECT_TRUE(std::is_permutation(top.begin(), top.end(), std::vector<std::string>{"top1", "top2"}.begin()));
    const auto x = std::find(names.begin(), names.end(), "one\\x");
    const auto y = std::find(names.begin(), names.end(), "one\\deep\\y");
    const auto z = std::find(names.begin(), names.end(), "two\\z");
    ASSERT_TRUE(x != names.end() && y != names.end() && z != names.end());
    // Everything below one sub-folder comes before anything below the other.
    EXPECT_EQ(std::abs(x - y), 1) << "one\\ is listed as one block";
    EXPECT_TRUE((z < x && z < y) || (z > x && z > y));
}

// Makes `name` in folder a Unix symbolic link to the folder's parent. Wine starts a Unix program
// given by its path, in the Unix form of the current directory, and does not wait for its end: the
// link is waited for instead.
bool LinkToParent(const std::string& folder, const std::string& name) {
    std::string command = "/bin/ln -s .. " + name;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int tries = 0; tries < 100; ++tries) {
        if (IsExistingFolder(folder + "\\" + name)) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

TEST(ListFiles, DescentDoesNotFollowALinkToAnAncestor) {
    TTempFolder temp;
    ASSERT_TRUE(qm::test::MakeFolders(temp / "sub"));
    ASSERT_TRUE(qm::test::WriteBytes(temp / "sub\\file", ""));
    if (!LinkToParent(temp / "sub", "loop")) {
        GTEST_SKIP() << "no Unix link could be made";
    }
    const auto names = Relative(ListFiles(U16(temp.Path()), u"*.*", true), temp.Path());
    EXPECT_EQ(names, std::vector<std::string>{"sub\\file"});
    // The tree's removal must not follow the link either.
    EXPECT_EQ(qm::test::SnapshotTree(temp.Path()).at("sub\\loop\\"), "<link>");
}

TEST(MoveFileNoReplace, NeverReplaces) {
    TTempFolder temp;
    ASSERT_TRUE(qm::test::WriteBytes(temp / "a.mkv", "source"));
    ASSERT_TRUE(qm::test::WriteBytes(temp / "b.mkv", "target"));
    const std::u16string prefix = u"\\\\?\\";
    EXPECT_FALSE(MoveFileNoReplace(prefix + U16(temp / "a.mkv"), prefix + U16(temp / "b.mkv")));
    EXPECT_EQ(qm::test::ReadBytes(temp / "a.mkv"), "source");
    EXPECT_EQ(qm::test::ReadBytes(temp / "b.mkv"), "target");
    EXPECT_TRUE(MoveFileNoReplace(prefix + U16(temp / "a.mkv"), prefix + U16(temp / "c.mkv")));
    EXPECT_EQ(qm::test::ReadBytes(temp / "c.mkv"), "source");
    EXPECT_FALSE(IsExistingFile(temp / "a.mkv"));
}

}  // namespace
