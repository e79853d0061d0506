#include <gtest/gtest.h>

#include <set>
#include <string>

#include "installer/preset.h"

using namespace qm::installer;

namespace {

constexpr const char* Exe = "C:\\Tools\\tidyreel.exe";
constexpr const char* Command = "\"C:\\Tools\\tidyreel.exe\" \"%1\"";  // the verb of Exe

TEST(ShortcutCaption, IsTheNameUpToTheFirstOccurrenceOfItsExtension) {
    struct Case {
        const char* path;
        const char* caption;
        const char* why;
    };
    const Case cases[] = {
        {"C:\\SendTo\\My sorter.lnk", "My sorter", ""},
        {"C:\\SendTo\\Menu.lnk.lnk", "Menu", "a caption ending in the extension loses it on the way back"},
        {"C:\\SendTo\\QM - Tidyreel.lnk", "QM - Tidyreel", ""},
        {"C:\\SendTo\\.lnk", "", "the extension at position 1 leaves nothing"},
        {"C:\\SendTo\\noext", "", "no extension, no position to cut at"},
        {"C:\\SendTo\\a.b.LNK", "a.b", "any letter case"},
        {"My sorter.lnk", "My sorter", "no folder"},
        {"C:\\Send.To\\x", "", "a dot in the folder is no extension of the name"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortcutCaption(c.path), c.caption) << c.path << " " << c.why;
    }
}

// The paths that "exist" as files.
struct TFakeFiles {
    std::set<std::string> Files;
    TFileTest Test() const {
        return [this](std::string_view path) { return Files.count(std::string(path)) != 0; };
    }
};

TEST(IsOwnShortcut, NeedsAnExistingFileNamedDotLnkDirectlyInSendTo) {
    constexpr const char* SendTo = "C:\\SendTo\\";
    struct Case {
        const char* path;
        bool exists;
        bool own;
        const char* why;
    };
    const Case cases[] = {
        {"C:\\SendTo\\My sorter.lnk", true, true, ""},
        {"C:\\SendTo\\My sorter.LNK", true, true, "any letter case"},
        {"c:\\sendto\\My sorter.lnk", true, true, "the folder in any letter case"},
        {"C:\\SendTo\\My sorter.lnk", false, false, "a stale path"},
        {"C:\\Users\\me\\Documents\\thesis.doc", true, false, "a document is never the tool's shortcut"},
        {"C:\\SendTo\\x.lnk.txt", true, false, "the name must end in .lnk"},
        {"C:\\SendTo\\lnk", true, false, "no dot"},
        {"C:\\Users\\me\\Desktop\\Work.lnk", true, false, "someone's shortcut outside SendTo"},
        {"C:\\SendTo\\Sub\\My sorter.lnk", true, false, "a folder below SendTo is not SendTo"},
        {"C:\\SendTo\\..\\My sorter.lnk", true, false, "nor is the folder above"},
        {"C:\\SendTo.lnk", true, false, "a name that merely starts like the folder"},
        {"", false, false, "nothing recorded"},
    };
    for (const Case& c : cases) {
        TFakeFiles files;
        if (c.exists) {
            files.Files.insert(c.path);
        }
        EXPECT_EQ(IsOwnShortcut(c.path, SendTo, files.Test()), c.own) << c.path << " " << c.why;
    }
    TFakeFiles files;
    files.Files.insert("C:\\SendTo\\My sorter.lnk");
    EXPECT_FALSE(IsOwnShortcut("C:\\SendTo\\My sorter.lnk", "", files.Test())) << "SendTo unknown: nothing is ours";
}

TEST(DecidePreset, FollowsTheRegistrationInItsOrder) {
    const std::string link = "C:\\users\\me\\SendTo\\My sorter.lnk";
    struct Case {
        std::string command;
        std::string recorded;
        bool recordedExists;
        PresetCase expected;
        std::string caption;
        bool recordedRead;
        const char* why;
    };
    const Case cases[] = {
        {Command, "", false, PresetCase::ContextEntry, "", false, "the verb of this executable"},
        {Command, link, true, PresetCase::ContextEntry, "", false,
         "the verb wins over an existing shortcut; the recorded path is not even read"},
        {"\"c:\\tools\\tidyreel.exe\" \"%1\"", "", false, PresetCase::NothingYet, "", true,
         "letter case counts: another spelling is another program"},
        {"\"C:\\Old\\tidyreel.exe\" \"%1\"", "", false, PresetCase::NothingYet, "", true, "the executable was moved"},
        {"\"C:\\Tools\\tidyreel.exe\" \"%1\" ", "", false, PresetCase::NothingYet, "", true, "a trailing blank"},
        {"C:\\Tools\\tidyreel.exe \"%1\"", "", false, PresetCase::NothingYet, "", true, "unquoted executable"},
        {"", link, true, PresetCase::SendToEntry, "My sorter", true, "a recorded shortcut"},
        {"\"C:\\Old\\tidyreel.exe\" \"%1\"", link, true, PresetCase::SendToEntry, "My sorter", true,
         "another program's verb does not hide our shortcut"},
        {"", link, false, PresetCase::NothingYet, "", true, "the recorded shortcut was deleted"},
        {"", "C:\\users\\me\\SendTo", true, PresetCase::NothingYet, "", true, "a recorded folder"},
        {"", "C:\\users\\me\\Documents\\notes.txt", true, PresetCase::NothingYet, "", true,
         "a recorded document is no shortcut of ours"},
        {"", "C:\\users\\me\\Desktop\\My sorter.lnk", true, PresetCase::NothingYet, "", true,
         "nor is a shortcut outside SendTo"},
        {"", "", false, PresetCase::NothingYet, "", true, "nothing registered"},
    };
    for (const Case& c : cases) {
        TFakeFiles files;
        if (c.recordedExists) {
            files.Files.insert(c.recorded);
        }
        bool read = false;
        const TPreset preset = DecidePreset(
            c.command, Exe,
            [&] {
                read = true;
                return c.recorded;
            },
            "C:\\users\\me\\SendTo\\", files.Test());
        EXPECT_EQ(preset.Case, c.expected) << c.why;
        EXPECT_EQ(preset.ShortcutCaption, c.caption) << c.why;
        EXPECT_EQ(read, c.recordedRead) << c.why;
    }
}

}  // namespace
