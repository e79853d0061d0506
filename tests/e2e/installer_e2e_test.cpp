// The real tidyreel.exe started without arguments: its installer window read, typed into and
// clicked from this test program, and what it leaves in the registry and the SendTo folder.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/driver.h"
#include "support/installer_traces.h"
#include "support/temp_folder.h"

namespace qm::test {
namespace {

// Controls in creation order.
enum : size_t { Install, Uninstall, Label, Edit, Group, Context, SendTo, ControlCount };

std::string Exe() {
    return TidyreelPath();
}
std::string Command() {
    return Quoted(Exe()) + " \"%1\"";
}
std::string Icon() {
    return Quoted(Exe()) + ",0";
}
std::string Stored(const std::string& text) {
    return text + '\0';
}

// The verb as Install with Context leaves it, for the given caption and command.
void StoreVerb(const std::string& caption, const std::string& command) {
    ASSERT_TRUE(StoreText(VerbKey, "", caption));
    ASSERT_TRUE(StoreText(VerbKey, "Icon", Icon()));
    ASSERT_TRUE(StoreText(CommandKey, "", command));
}

// What a start shows: the edit's text, the two checks and which push button is enabled.
struct TPresetView {
    std::string EditText;
    LRESULT ContextCheck;
    LRESULT SendToCheck;
    bool InstallEnabled;
    bool UninstallEnabled;
};

const TPresetView NothingRegistered{"QM - Tidyreel", BST_CHECKED, BST_UNCHECKED, true, false};

TPresetView ContextRegistered(const std::string& caption) {
    return {caption, BST_CHECKED, BST_UNCHECKED, false, true};
}
TPresetView SendToRegistered(const std::string& caption) {
    return {caption, BST_UNCHECKED, BST_CHECKED, false, true};
}

void ExpectPreset(const TWindowView& view, const TPresetView& expected) {
    ASSERT_EQ(view.Controls.size(), size_t{ControlCount});
    EXPECT_EQ(view.Controls[Edit].Text, expected.EditText);
    EXPECT_EQ(view.Controls[Context].Check, expected.ContextCheck);
    EXPECT_EQ(view.Controls[SendTo].Check, expected.SendToCheck);
    EXPECT_EQ(view.Controls[Install].Enabled, expected.InstallEnabled);
    EXPECT_EQ(view.Controls[Uninstall].Enabled, expected.UninstallEnabled);
}

void ExpectCleanEnd(TInstallerRun& run) {
    const TRunReport report = run.Wait();
    EXPECT_TRUE(report.Ended);
    EXPECT_EQ(report.ExitCode, 0u);
}

// Starts the installer, checks the preset it shows, and hands the run back for more.
#define START_SHOWING(run, preset)    \
    TInstallerRun run;                \
    ASSERT_NE(run.Window(), nullptr); \
    ASSERT_NO_FATAL_FAILURE(ExpectPreset(run.Read(), preset))

HWND ControlOf(const TInstallerRun& run, size_t index) {
    return run.Read().Controls.at(index).Handle;
}

// One start that types the caption, picks a place and clicks Install.
void InstallWith(const std::string& caption, size_t place) {
    TInstallerRun run;
    ASSERT_NE(run.Window(), nullptr);
    run.SetText(ControlOf(run, Edit), caption);
    run.Click(ControlOf(run, place));
    run.Click(ControlOf(run, Install));
    ExpectCleanEnd(run);
}

void ExpectNothingRegistered() {
    EXPECT_FALSE(KeyExists(VerbKey));
    EXPECT_FALSE(KeyExists(OwnKey));
    EXPECT_TRUE(SendToShortcuts().empty());
}

// Every test starts and ends with no trace of the installer: all tests share one Wine prefix.
class InstallerE2E : public ::testing::Test {
protected:
    void SetUp() override {
        if (!InThrowawayWinePrefix()) {
            GTEST_SKIP() << "changes the user's SendTo folder and registry: runs only in a throwaway Wine prefix";
        }
        ClearInstallerTraces();
    }
    void TearDown() override {
        if (InThrowawayWinePrefix()) {
            ClearInstallerTraces();
        }
    }
};

TEST_F(InstallerE2E, FirstStartShowsTheFixedFrameWithInstallEnabled) {
    START_SHOWING(run, NothingRegistered);
    const TWindowView view = run.Read();
    EXPECT_EQ(view.ClassName, "Quillmoors_UI_CLASS");
    EXPECT_EQ(view.Title, "Quillmoors Tidyreel");
    // The platform adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(view.Style, 0x90C80800u | WS_CLIPSIBLINGS);
    EXPECT_EQ(view.ExStyle, 0x00000108u);

    const int cySize = GetSystemMetrics(SM_CYSIZE);
    EXPECT_EQ(view.Rect.left, GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 111);
    EXPECT_EQ(view.Rect.top, GetSystemMetrics(SM_CYFULLSCREEN) / 2 - (150 - (cySize + GetSystemMetrics(SM_CYMIN))) / 2);
    EXPECT_EQ(view.Rect.right - view.Rect.left, 222);
    EXPECT_EQ(view.Rect.bottom - view.Rect.top, 150 + cySize);

    struct Row {
        const char* className;
        const char* text;
        DWORD style;  // as created
        RECT rect;    // left, top, right, bottom in the window's client area
    };
    const Row rows[ControlCount] = {
        {"Button", "Install", 0x58011000, {6, 5, 106, 30}},
        {"Button", "Uninstall", 0x58011000, {110, 5, 210, 30}},
        {"Static", "Menu Name:", 0x50000001, {6, 35, 208, 56}},
        {"Edit", "QM - Tidyreel", 0x50810001, {6, 55, 208, 76}},
        {"Button", "[Menu Location]", 0x50000007, {6, 85, 208, 136}},
        {"Button", "Context", 0x50010009, {20, 105, 95, 126}},
        {"Button", "SendTo", 0x50010009, {120, 105, 195, 126}},
    };
    ASSERT_EQ(view.Controls.size(), size_t{ControlCount});
    for (size_t i = 0; i < ControlCount; ++i) {
        const TControlView& control = view.Controls[i];
        DWORD style = rows[i].style;
        if (i == Install) {
            style &= ~WS_DISABLED;  // enabled by the preset
        }
        DWORD seen = control.Style;
        if (i == Edit) {
            seen |= WS_BORDER;  // the edit control takes the border over and paints it itself
        }
        if (i == Context || i == SendTo) {
            seen |= WS_TABSTOP;  // the platform moves a radio button's tab stop with its check
        }
        EXPECT_EQ(control.ClassName, rows[i].className) << i;
        EXPECT_EQ(control.Text, rows[i].text) << i;
        EXPECT_EQ(seen, style) << i << " " << rows[i].text;
        EXPECT_EQ(control.Rect.left, rows[i].rect.left) << rows[i].text;
        EXPECT_EQ(control.Rect.top, rows[i].rect.top) << rows[i].text;
        EXPECT_EQ(control.Rect.right, rows[i].rect.right) << rows[i].text;
        EXPECT_EQ(control.Rect.bottom, rows[i].rect.bottom) << rows[i].text;
    }

    run.Close();
    ExpectCleanEnd(run);
    ExpectNothingRegistered();
}

TEST_F(InstallerE2E, InstallWithContextWritesTheVerbAndTheNextStartShowsIt) {
    InstallWith("QM - Tidyreel", Context);

    const TStoredValue caption = ReadStoredValue(VerbKey);
    const TStoredValue icon = ReadStoredValue(VerbKey, "Icon");
    const TStoredValue command = ReadStoredValue(CommandKey);
    EXPECT_EQ(caption.Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(caption.Bytes, Stored("QM - Tidyreel"));
    EXPECT_EQ(icon.Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(icon.Bytes, Stored(Icon()));
    EXPECT_EQ(command.Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(command.Bytes, Stored(Command()));
    EXPECT_FALSE(KeyExists(OwnKey));
    EXPECT_TRUE(SendToShortcuts().empty());

    START_SHOWING(next, ContextRegistered("QM - Tidyreel"));
    next.Close();
    ExpectCleanEnd(next);
}

TEST_F(InstallerE2E, InstallWithContextTakesTheCaptionAsTyped) {
    struct Case {
        std::string typed;
        std::string stored;
        const char* why;
    };
    const Case cases[] = {
        {"", "QM - Tidyreel", "an empty edit falls back to the default caption"},
        {"  Sort episodes here ", "  Sort episodes here ", "not trimmed"},
        {"a\\b?", "a\\b?", "any text is a valid caption for the context menu"},
        {std::string(1500, 'c'), std::string(1024, 'c'), "the edit is read up to 1024 characters"},
    };
    for (const Case& c : cases) {
        ClearInstallerTraces();
        InstallWith(c.typed, Context);
        EXPECT_EQ(ReadStoredValue(VerbKey).Bytes, Stored(c.stored)) << c.why;
        EXPECT_EQ(ReadStoredValue(CommandKey).Bytes, Stored(Command())) << c.why;
    }
}

TEST_F(InstallerE2E, InstallWithSendToMakesTheShortcutAndRemovesTheVerb) {
    // A verb left by a copy of the tool at another place goes once the shortcut exists.
    StoreVerb("Old caption", "\"C:\\Old\\tidyreel.exe\" \"%1\"");
    {
        TInstallerRun run;
        ASSERT_NE(run.Window(), nullptr);
        run.SetText(ControlOf(run, Edit), "My sorter");
        run.Click(ControlOf(run, SendTo));
        const TWindowView picked = run.Read();
        EXPECT_EQ(picked.Controls[Context].Check, BST_UNCHECKED) << "the radio buttons exclude each other";
        EXPECT_EQ(picked.Controls[SendTo].Check, BST_CHECKED);
        run.Click(ControlOf(run, Install));
        ExpectCleanEnd(run);
    }

    const std::string link = SendToFolder() + "\\My sorter.lnk";
    EXPECT_EQ(SendToShortcuts(), std::vector<std::string>{"My sorter.lnk"});
    const TStoredValue recorded = ReadStoredValue(OwnKey);
    EXPECT_EQ(recorded.Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(recorded.Bytes, Stored(link));
    EXPECT_FALSE(KeyExists(CommandKey));
    EXPECT_FALSE(KeyExists(VerbKey));
    EXPECT_TRUE(KeyExists("SOFTWARE\\Classes\\Directory\\shell"));

    const TStoredLink stored = ReadLink(link);
    ASSERT_TRUE(stored.Loaded);
    EXPECT_EQ(stored.Path, Exe());
    EXPECT_EQ(stored.Arguments, "");
    EXPECT_EQ(stored.Description, "Tidyreel by Quillmoor");
    // The program's directory as a plain path: no leading double quote.
    EXPECT_EQ(stored.WorkingDirectory, Exe().substr(0, Exe().rfind('\\') + 1));

    START_SHOWING(next, SendToRegistered("My sorter"));
    next.Close();
    ExpectCleanEnd(next);
}

TEST_F(InstallerE2E, InstallWithContextRemovesTheRecordedShortcut) {
    InstallWith("My sorter", SendTo);
    ASSERT_EQ(SendToShortcuts(), std::vector<std::string>{"My sorter.lnk"});

    {
        START_SHOWING(run, SendToRegistered("My sorter"));
        run.Click(ControlOf(run, Context));
        // Install is disabled in this state: send the command its click would send.
        PostMessageA(run.Window(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(ControlOf(run, Install)));
        ExpectCleanEnd(run);
    }
    EXPECT_EQ(ReadStoredValue(CommandKey).Bytes, Stored(Command()));
    EXPECT_TRUE(SendToShortcuts().empty());
    EXPECT_FALSE(KeyExists(OwnKey));
    EXPECT_TRUE(KeyExists("SOFTWARE\\Quillmoor"));
}

TEST_F(InstallerE2E, UninstallRemovesBothKindsAndLeavesTheKeysAbove) {
    StoreVerb("QM - Tidyreel", Command());
    const std::string link = SendToFolder() + "\\QM - Tidyreel.lnk";
    ASSERT_TRUE(WriteBytes(link, "shortcut"));
    ASSERT_TRUE(StoreText(OwnKey, "", link));

    START_SHOWING(run, ContextRegistered("QM - Tidyreel"));
    run.Click(ControlOf(run, Uninstall));
    ExpectCleanEnd(run);

    ExpectNothingRegistered();
    EXPECT_TRUE(KeyExists("SOFTWARE\\Quillmoor"));
    EXPECT_TRUE(KeyExists("SOFTWARE\\Classes\\Directory\\shell"));
}

TEST_F(InstallerE2E, UninstallAfterInstallWithSendToLeavesNothing) {
    InstallWith("My sorter", SendTo);
    START_SHOWING(run, SendToRegistered("My sorter"));
    run.Click(ControlOf(run, Uninstall));
    ExpectCleanEnd(run);
    ExpectNothingRegistered();
}

TEST_F(InstallerE2E, ClosingWritesNothing) {
    {
        START_SHOWING(run, NothingRegistered);
        run.SetText(ControlOf(run, Edit), "Typed but not installed");
        run.Click(ControlOf(run, SendTo));
        run.Close();
        ExpectCleanEnd(run);
    }
    ExpectNothingRegistered();

    StoreVerb("Mine", Command());
    {
        START_SHOWING(run, ContextRegistered("Mine"));
        run.SetText(ControlOf(run, Edit), "Other");
        run.Close();
        ExpectCleanEnd(run);
    }
    EXPECT_EQ(ReadStoredValue(VerbKey).Bytes, Stored("Mine"));
    EXPECT_EQ(ReadStoredValue(CommandKey).Bytes, Stored(Command()));
}

TEST_F(InstallerE2E, CaptionsThatAreNoPlainFileNameMakeNoShortcut) {
    // A verb of another copy stays, since no shortcut replaces it.
    const std::string otherCommand = "\"C:\\Old\\tidyreel.exe\" \"%1\"";
    const std::string captions[] = {
        "a\\b", "..\\Escaped", "..", "CON", "nul.txt", "trailing.", "trailing ", "x?y", "C:evil",
    };
    for (const std::string& caption : captions) {
        ClearInstallerTraces();
        StoreVerb("Old caption", otherCommand);
        InstallWith(caption, SendTo);
        EXPECT_TRUE(SendToShortcuts().empty()) << caption;
        EXPECT_FALSE(KeyExists(OwnKey)) << caption;
        EXPECT_EQ(ReadStoredValue(VerbKey).Bytes, Stored("Old caption")) << caption;
        EXPECT_EQ(ReadStoredValue(CommandKey).Bytes, Stored(otherCommand)) << caption;
    }
    // The folder above SendTo exists: without the rule the shortcut would have landed there.
    const std::string escaped = SendToFolder() + "\\..\\Escaped.lnk";
    EXPECT_EQ(GetFileAttributesA(escaped.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(escaped.c_str());
}

TEST_F(InstallerE2E, ARecordedPathThatIsNoShortcutIsNeverDeleted) {
    TTempFolder folder;
    const std::string document = folder / "thesis.doc";
    ASSERT_TRUE(WriteBytes(document, "years of work"));
    const std::string lnkFolder = folder / "folder.lnk";
    ASSERT_TRUE(MakeFolders(lnkFolder));
    // A shortcut of the user's own outside SendTo, and one in a folder below SendTo.
    const std::string elsewhere = folder / "Work.lnk";
    ASSERT_TRUE(WriteBytes(elsewhere, "the user's shortcut"));
    const std::string below = SendToFolder() + "\\Sub\\QM - Tidyreel.lnk";
    ASSERT_TRUE(MakeFolders(SendToFolder() + "\\Sub"));
    ASSERT_TRUE(WriteBytes(below, "another shortcut"));

    for (const std::string& recorded : {document, lnkFolder, elsewhere, below}) {
        // Uninstall from a registered verb.
        ClearInstallerTraces();
        StoreVerb("Mine", Command());
        ASSERT_TRUE(StoreText(OwnKey, "", recorded));
        {
            START_SHOWING(run, ContextRegistered("Mine"));
            run.Click(ControlOf(run, Uninstall));
            ExpectCleanEnd(run);
        }
        EXPECT_FALSE(KeyExists(VerbKey)) << recorded;
        EXPECT_EQ(ReadStoredValue(OwnKey).Bytes, Stored(recorded)) << "the record stays: " << recorded;

        // Install with Context, which removes a recorded shortcut; the record shows no SendTo entry.
        {
            START_SHOWING(run, NothingRegistered);
            run.Click(ControlOf(run, Install));
            ExpectCleanEnd(run);
        }
        EXPECT_EQ(ReadStoredValue(CommandKey).Bytes, Stored(Command())) << recorded;
        EXPECT_EQ(ReadStoredValue(OwnKey).Bytes, Stored(recorded)) << recorded;
    }
    EXPECT_EQ(ReadBytes(document), "years of work");
    EXPECT_NE(GetFileAttributesA(lnkFolder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(ReadBytes(elsewhere), "the user's shortcut");
    EXPECT_EQ(ReadBytes(below), "another shortcut");
    RemoveTree(SendToFolder() + "\\Sub");
}

TEST_F(InstallerE2E, HostileRegistryStillOpensTheRightPresetAndEndsCleanly) {
    const std::string number("\x07\0\0\0", 4);
    const std::string longCaption(2000, 'L');
    std::string lowerCommand = Command();
    for (char& c : lowerCommand) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    struct Case {
        const char* why;
        std::function<void()> arrange;
        TPresetView shown;
    };
    const Case cases[] = {
        {"numbers where texts belong",
         [&] {
             StoreValue(VerbKey, "", REG_DWORD, number);
             StoreValue(CommandKey, "", REG_DWORD, number);
             StoreValue(OwnKey, "", REG_DWORD, number);
         },
         NothingRegistered},
        {"our command as an expandable string is not ours",
         [&] {
             StoreText(VerbKey, "", "Expand");
             StoreValue(CommandKey, "", REG_EXPAND_SZ, Stored(Command()));
         },
         {"Expand", BST_CHECKED, BST_UNCHECKED, true, false}},
        {"a command of another letter case is not ours; its caption still shows",
         [&] {
             StoreText(VerbKey, "", "Lower");
             StoreText(CommandKey, "", lowerCommand);
         },
         {"Lower", BST_CHECKED, BST_UNCHECKED, true, false}},
        {"a zero-byte caption with our command",
         [&] {
             StoreValue(VerbKey, "", REG_SZ, "");
             StoreText(CommandKey, "", Command());
         },
         ContextRegistered("QM - Tidyreel")},
        {"a stale recorded path", [&] { StoreText(OwnKey, "", SendToFolder() + "\\Deleted long ago.lnk"); },
         NothingRegistered},
        {"a recorded path that is empty", [&] { StoreText(OwnKey, "", ""); }, NothingRegistered},
        {"a caption of 2000 characters with our command",
         [&] {
             StoreText(VerbKey, "", longCaption);
             StoreText(CommandKey, "", Command());
         },
         ContextRegistered(longCaption)},
    };
    for (const Case& c : cases) {
        ClearInstallerTraces();
        c.arrange();
        TInstallerRun run;
        ASSERT_NE(run.Window(), nullptr) << c.why;
        EXPECT_NO_FATAL_FAILURE(ExpectPreset(run.Read(), c.shown)) << c.why;
        run.Close();
        ExpectCleanEnd(run);
    }
}

TEST_F(InstallerE2E, UninstallWithACommandKeyThatHasASubkeyLeavesBothKeys) {
    StoreVerb("Mine", Command());
    ASSERT_TRUE(StoreText(CommandKey + "\\added by someone", "", "x"));
    START_SHOWING(run, ContextRegistered("Mine"));
    run.Click(ControlOf(run, Uninstall));
    ExpectCleanEnd(run);
    EXPECT_TRUE(KeyExists(CommandKey + "\\added by someone"));
    EXPECT_EQ(ReadStoredValue(CommandKey).Bytes, Stored(Command()));
    EXPECT_EQ(ReadStoredValue(VerbKey).Bytes, Stored("Mine"));
}

TEST_F(InstallerE2E, ALongCaptionMakesNoShortcutAndEndsCleanly) {
    // 1024 characters reach the shortcut: no file system takes a name that long.
    StoreText(VerbKey, "", std::string(2000, 'L'));
    InstallWith(std::string(2000, 'L'), SendTo);
    EXPECT_TRUE(SendToShortcuts().empty());
    EXPECT_FALSE(KeyExists(OwnKey));
    EXPECT_EQ(ReadStoredValue(VerbKey).Bytes, Stored(std::string(2000, 'L')));
}

}  // namespace
}  // namespace qm::test
