// Shortcut files made through Wine's real Shell Link object in the prefix's SendTo folder, and
// read back through the same object to see what was stored.

#include <gtest/gtest.h>

#include <shlobj.h>
// After shlobj.h: it needs the definitions that header brings in.
#include <knownfolders.h>

#include <string>

#include "qm.API/convert.h"
#include "qm.API/shortcut.h"
#include "support/driver.h"
#include "support/installer_traces.h"
#include "support/temp_folder.h"

using namespace qm::api;
using qm::test::Quoted;
using qm::test::ReadLink;
using qm::test::SendToFolder;
using qm::test::SendToShortcuts;
using qm::test::TStoredLink;

namespace {

class Shortcut : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qm::test::InThrowawayWinePrefix()) {
            GTEST_SKIP() << "changes the user's SendTo folder and registry: runs only in a throwaway Wine prefix";
        }
        qm::test::ClearInstallerTraces();
    }
    void TearDown() override {
        if (qm::test::InThrowawayWinePrefix()) {
            qm::test::ClearInstallerTraces();
        }
    }

    const TComApartment com_;
    const qm::test::TTempFolder folder_;
};

TEST(ShortcutPlace, NamesThePublishedKnownFolders) {
    const GUID* const expected[] = {&FOLDERID_Desktop,  &FOLDERID_StartMenu, &FOLDERID_Startup,
                                    &FOLDERID_Programs, &FOLDERID_SendTo,    &FOLDERID_QuickLaunch};
    for (int place = 0; place < 6; ++place) {
        const GUID* folder = KnownFolderOf(static_cast<ShortcutPlace>(place));
        ASSERT_NE(folder, nullptr) << place;
        EXPECT_TRUE(IsEqualGUID(*folder, *expected[place])) << place;
    }
    EXPECT_EQ(KnownFolderOf(static_cast<ShortcutPlace>(6)), nullptr);
    EXPECT_EQ(KnownFolderOf(static_cast<ShortcutPlace>(-1)), nullptr);
}

TEST_F(Shortcut, CreatesTheLinkInSendToAndReportsItsPath) {
    const std::string exe = folder_ / "tidyreel.exe";
    std::u16string linkPath = u"stale";
    ASSERT_TRUE(
        ShellShortcut(Quoted(exe), "Tidyreel by Quillmoor", "", "QM - Tidyreel", ShortcutPlace::SendTo, linkPath));
    const std::string expectedPath = SendToFolder() + "\\QM - Tidyreel.lnk";
    EXPECT_EQ(ToAnsi(linkPath), expectedPath);
    EXPECT_EQ(SendToShortcuts(), std::vector<std::string>{"QM - Tidyreel.lnk"});

    const TStoredLink stored = ReadLink(expectedPath);
    ASSERT_TRUE(stored.Loaded);
    EXPECT_EQ(stored.Path, exe) << "the quoted target is stored as the plain path";
    EXPECT_EQ(stored.Arguments, "");
    EXPECT_EQ(stored.Description, "Tidyreel by Quillmoor");
    EXPECT_EQ(stored.WorkingDirectory, folder_.Path() + "\\") << "a plain directory, no leading quote";
}

TEST_F(Shortcut, OverwritesAnExistingLink) {
    std::u16string first;
    std::u16string second;
    ASSERT_TRUE(ShellShortcut(Quoted(folder_ / "old.exe"), "old", "", "Again", ShortcutPlace::SendTo, first));
    ASSERT_TRUE(ShellShortcut(Quoted(folder_ / "new.exe"), "new", "--x", "Again", ShortcutPlace::SendTo, second));
    EXPECT_EQ(first, second);
    EXPECT_EQ(SendToShortcuts(), std::vector<std::string>{"Again.lnk"});
    const TStoredLink stored = ReadLink(ToAnsi(second));
    EXPECT_EQ(stored.Path, folder_ / "new.exe");
    EXPECT_EQ(stored.Arguments, "--x");
    EXPECT_EQ(stored.Description, "new");
}

TEST_F(Shortcut, FailsCleanlyWhereNoFileCanBeMade) {
    // A directory at the shortcut's path: the save cannot replace it.
    const std::string blocker = SendToFolder() + "\\Blocked.lnk";
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    std::u16string linkPath = u"stale";
    EXPECT_FALSE(ShellShortcut("\"C:\\t.exe\"", "", "", "Blocked", ShortcutPlace::SendTo, linkPath));
    EXPECT_TRUE(linkPath.empty());
    RemoveDirectoryA(blocker.c_str());

    // A name that reaches into a folder that does not exist.
    linkPath = u"stale";
    EXPECT_FALSE(ShellShortcut("\"C:\\t.exe\"", "", "", "no such folder\\x", ShortcutPlace::SendTo, linkPath));
    EXPECT_TRUE(linkPath.empty());

    // A place outside the six.
    linkPath = u"stale";
    EXPECT_FALSE(ShellShortcut("\"C:\\t.exe\"", "", "", "x", static_cast<ShortcutPlace>(9), linkPath));
    EXPECT_TRUE(linkPath.empty());
    EXPECT_TRUE(SendToShortcuts().empty());
}

}  // namespace
