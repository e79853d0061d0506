// The real tidyreel.exe without arguments: its window worked from here, and what it leaves in the registry
// and SendTo. These clear the tool's keys and SendTo, so they run only in Wine's throwaway prefix or on an
// account that TIDYREEL_INSTALLER_TESTS=1 declares a throwaway one (CI's Windows runners).

#include <gtest/gtest.h>
#include <shlobj.h>

#include "qm.API/handles.h"
#include "support/driver.h"

namespace qm::test {

enum : size_t { Install, Uninstall, Label, Edit, Group, Context, SendTo, Closing };  // controls in creation order

const std::string VerbKey = "SOFTWARE\\Classes\\Directory\\shell\\QuillmoorsTidyreel",
                  CommandKey = VerbKey + "\\command", OwnKey = "SOFTWARE\\Quillmoor\\Tidyreel";
const std::string OurCommand = Quoted(TidyreelPath()) + " \"%1\"";

using TValue = std::pair<DWORD, std::string>;  // type and stored bytes

const auto Sz = [](const std::string& text) { return TValue{REG_SZ, text + '\0'}; };

TValue Stored(const std::string& key, const char* name = "") {
    DWORD type = 0, size = 4096;
    char data[4096];
    const LSTATUS status = RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, data,
                                        &size);
    return status == ERROR_SUCCESS ? TValue{type, std::string(data, size)} : TValue{};
}

void Store(const std::string& key, const TValue& value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), nullptr, value.first, value.second.data(),
                    static_cast<DWORD>(value.second.size()));
}

const std::string SendToFolder = std::string(getenv("APPDATA")) + "\\Microsoft\\Windows\\SendTo";

// Target, working folder and description of a saved shortcut; given a target, the shortcut is
// first made to point at it (with that description), as a user makes one.
std::string LinkOf(const std::string& path, const std::string& newTarget = "", const std::string& newDescription = "") {
    qm::api::TComApartment com;
    qm::api::TComPtr<IShellLinkA> link;
    qm::api::TComPtr<IPersistFile> file;
    char target[MAX_PATH] = {}, folder[MAX_PATH] = {}, description[MAX_PATH] = {};
    const std::wstring widePath(path.begin(), path.end());
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.put()))) ||
        FAILED(link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()))) ||
        (!newTarget.empty() && (FAILED(link.get()->SetPath(newTarget.c_str())) ||
                                FAILED(link.get()->SetDescription(newDescription.c_str())) ||
                                FAILED(file.get()->Save(widePath.c_str(), TRUE)))) ||
        FAILED(file.get()->Load(widePath.c_str(), STGM_READ))) {
        return "no shortcut";
    }
    link.get()->GetPath(target, MAX_PATH, nullptr, 0);
    link.get()->GetWorkingDirectory(folder, MAX_PATH);
    link.get()->GetDescription(description, MAX_PATH);
    return std::string(target) + "|" + folder + "|" + description;
}

// What a window shows: the caption, the checked place (Context, SendTo) and the enabled buttons.
std::string Shown(const TInstallerRun& run) {
    const std::vector<TControlView> c = run.Controls();  // .at() throws, and so fails, without a window
    return c.at(Edit).Text + "|" + (c.at(Context).Check ? "C" : "") + (c.at(SendTo).Check ? "S" : "") + "|" +
           (c.at(Install).Enabled ? "I" : "") + (c.at(Uninstall).Enabled ? "U" : "");
}

// Starts program's window, types the caption (if any), clicks the controls in turn (Closing closes the
// window) and waits for a clean end; what the window showed first.
std::string Work(const std::string& caption, std::initializer_list<size_t> clicks,
                 const std::string& program = TidyreelPath()) {
    TInstallerRun run(program);
    const std::string shown = Shown(run);
    if (!caption.empty()) {
        run.SetText(Edit, caption);
    }
    for (const size_t control : clicks) {
        control == Closing ? run.Close() : run.Click(control);
    }
    EXPECT_TRUE(run.Wait().Clean()) << caption;
    return shown;
}

const bool Throwaway = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr ||
                       std::string(getenv("TIDYREEL_INSTALLER_TESTS") ? getenv("TIDYREEL_INSTALLER_TESTS") : "") == "1";

class InstallerE2E : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Throwaway) {
            GTEST_SKIP() << "changes the account's registry and SendTo folder; TIDYREEL_INSTALLER_TESTS=1 allows it";
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, VerbKey.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, OwnKey.c_str());
        std::error_code kept;  // what cannot go shows in the tests' own checks of SendTo
        std::filesystem::remove_all(SendToFolder, kept);
        std::filesystem::create_directory(SendToFolder, kept);
    }
    void TearDown() override { SetUp(); }  // nothing of the tool's left behind
};

TEST_F(InstallerE2E, ContextEntryInstalledShownAndUninstalled) {
    {
        TInstallerRun run;
        char frame[128];
        RECT r{};
        GetWindowRect(run.Window(), &r);
        std::snprintf(frame, sizeof frame, "%08lX %08lX %ld %ld", GetWindowLongA(run.Window(), GWL_STYLE),
                      GetWindowLongA(run.Window(), GWL_EXSTYLE), r.left + r.right - GetSystemMetrics(SM_CXFULLSCREEN),
                      r.right - r.left);
        // Found by its class; Wine adds WS_CLIPSIBLINGS; always on top; centred across, 222 wide.
        EXPECT_EQ(frame, std::string("94C80800 00000108 0 222"));
        EXPECT_EQ(Shown(run), "QM - Tidyreel|C|I");
        Work("Mine", {SendTo, Install});  // from a second window, opened meanwhile: removed by this install
        ASSERT_EQ(Snapshot(SendToFolder).size(), 1u);
        run.SetText(Edit, "Sort these episodes, please");
        run.Click(Install);
        EXPECT_TRUE(run.Wait().Clean());
    }
    EXPECT_EQ((std::vector{Stored(VerbKey), Stored(VerbKey, "Icon"), Stored(CommandKey), Stored(OwnKey)}),
              (std::vector{Sz("Sort these episodes, please"), Sz(Quoted(TidyreelPath()) + ",0"), Sz(OurCommand), {}}));
    EXPECT_TRUE(Snapshot(SendToFolder).empty());
    EXPECT_EQ(Work("", {Uninstall}), "Sort these episodes, please|C|U");
    EXPECT_EQ(Stored(VerbKey), TValue{});
}

TEST_F(InstallerE2E, NothingOfTheUsersIsReplacedOrDeleted) {
    Store(VerbKey, Sz("Old"));
    // The user's files in SendTo: a shortcut (as Windows' own "Fax recipient"), a non-shortcut, a document.
    const std::string fax = SendToFolder + "\\Fax recipient.lnk";
    LinkOf(fax, "C:\\windows\\notepad.exe");
    // Shortcuts to programs that are gone: of another name, and of this one's name but not made by it.
    LinkOf(SendToFolder + "\\Player.lnk", "C:\\Gone\\player.exe", "Tidyreel by Quillmoor");
    LinkOf(SendToFolder + "\\Namesake.lnk", "C:\\Gone\\tidyreel.exe");
    ASSERT_TRUE(WriteBytes(SendToFolder + "\\Notes.lnk", "not a shortcut") &&
                WriteBytes(SendToFolder + "\\thesis.doc", "years of work"));
    const TTree theirs = Snapshot(SendToFolder);
    // A copy whose path the code page cannot hold (Ш) registers nothing at either place.
    const TTempFolder tool;
    const std::string self = TidyreelPath(), copy = tool / "\xD0\xA8\\tidyreel.exe";
    ASSERT_TRUE(WriteBytes(copy, ReadBytes(self)));
    const std::tuple<std::string, size_t, std::string> installs[] = {
        {"..\\Escaped", SendTo, self}, {"Fax recipient", SendTo, self}, {"Notes", SendTo, self},
        {"Player", SendTo, self},      {"Namesake", SendTo, self},      {"Copy", SendTo, copy},
        {"Copy", Context, copy}};
    for (const auto& [caption, place, program] : installs) {
        Work(caption, {place, Install}, program);
        EXPECT_TRUE(Snapshot(SendToFolder) == theirs && Stored(OwnKey) == TValue{} && Stored(VerbKey) == Sz("Old"))
            << caption;
    }
    // Nor is the user's shortcut taken for the tool's when recorded as such; typing and closing change nothing.
    Store(OwnKey, Sz(fax));
    EXPECT_EQ(Work("Typed only", {Closing}), "Old|C|I");
    EXPECT_EQ(Stored(VerbKey), Sz("Old"));
    Store(VerbKey, {REG_DWORD, std::string("\x07\0\0\0", 4)});  // reads as no caption
    Store(CommandKey, Sz(OurCommand));
    EXPECT_EQ(Work("", {Uninstall}), "QM - Tidyreel|C|U");
    EXPECT_TRUE(Snapshot(SendToFolder) == theirs && Stored(OwnKey) == Sz(fax));
}

TEST_F(InstallerE2E, SendToEntryReplacesAMovedCopysEntriesAndIsUninstalled) {
    const TTempFolder old;
    const std::string copy = old / "TIDYREEL.exe", link = SendToFolder + "\\Sort.lnk", exe = TidyreelPath();
    const TValue theirs = Sz("\"C:\\Old\\tidyreel.exe\" \"%1\"");
    const std::string ours = exe + "|" + exe.substr(0, exe.rfind('\\') + 1) + "|Tidyreel by Quillmoor";
    // Another copy's shortcut stays while that copy is there; once it has moved away, Install with
    // Context removes it, and Install with SendTo replaces it and the copy's verb with its own.
    for (const size_t place : {Context, SendTo}) {
        ASSERT_TRUE(CopyFileA(exe.c_str(), copy.c_str(), FALSE));
        Work("Sort", {SendTo, Install}, copy);
        const TTree made = Snapshot(SendToFolder);
        Work("Sort", {place, Install});
        EXPECT_TRUE(made.size() == 1 && Snapshot(SendToFolder) == made);
        ASSERT_TRUE(DeleteFileA(copy.c_str()));
        Store(CommandKey, theirs);
        Work("Sort", {place, Install});
        EXPECT_EQ(Stored(OwnKey), place == SendTo ? Sz(link) : TValue{});
        EXPECT_EQ(LinkOf(link), place == SendTo ? ours : "no shortcut");
    }
    // Its own shortcut is made again, and shown as installed.
    Store(CommandKey, theirs);
    Work("Sort", {SendTo, Install});
    EXPECT_EQ(Stored(CommandKey), TValue{});
    EXPECT_EQ(Work("", {Uninstall}), "Sort|S|U");
    EXPECT_TRUE(Snapshot(SendToFolder).empty() && Stored(OwnKey) == TValue{});
}

}  // namespace qm::test
