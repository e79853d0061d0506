// The installer's rules: which captions make a shortcut, which recorded file is the tool's own,
// what the window shows for what is registered, the verb's texts and the window's place.

#include <gtest/gtest.h>

#include "installer/layout.h"
#include "installer/preset.h"
#include "qm.API/file_name.h"

using namespace qm::installer;

namespace {

TEST(IsPlainFileName, Captions) {
    for (const std::string name : {"My sorter", "CONSOLE", "COM0", "NULL.txt", ".hidden", "a..b",
                                   "\xFC"
                                   "ber"}) {
        EXPECT_TRUE(qm::api::IsPlainFileName(name)) << name;
    }
    for (const std::string name : {"", ".", "..", "..\\Escaped", "a/b", "C:x", "a?b", "a|b", "x\ty", "trailing.",
                                   "trailing ", "CON", "nul.txt", "Lpt1 .lnk", "com9"}) {
        EXPECT_FALSE(qm::api::IsPlainFileName(name)) << name;
    }
}

TEST(DecidePreset, WhatIsRegistered) {
    const std::string exe = "C:\\Tools\\tidyreel.exe";
    const std::string sendTo = "C:\\users\\me\\SendTo\\";
    const std::string link = sendTo + "My sorter.lnk";
    struct Case {
        std::string command;
        std::string recorded;
        PresetCase shown;
        std::string caption;
    };
    const Case cases[] = {
        {"\"C:\\Tools\\tidyreel.exe\" \"%1\"", link, PresetCase::ContextEntry, ""},
        {"\"c:\\tools\\tidyreel.exe\" \"%1\"", "", PresetCase::NothingYet, ""},  // another spelling, not ours
        {"\"C:\\Old\\tidyreel.exe\" \"%1\"", link, PresetCase::SendToEntry, "My sorter"},
        {"", "C:\\USERS\\me\\sendto\\Menu.lnk.lnk", PresetCase::SendToEntry, "Menu"},
        {"", sendTo + "thesis.doc", PresetCase::NothingYet, ""},
        {"", sendTo + "Sub\\My sorter.lnk", PresetCase::NothingYet, ""},
        {"", sendTo + "..\\My sorter.lnk", PresetCase::NothingYet, ""},
        {"", "C:\\users\\me\\Desktop\\Work.lnk", PresetCase::NothingYet, ""},
        {"", sendTo + "Deleted.lnk", PresetCase::NothingYet, ""},  // stale: no such file
    };
    for (const auto& c : cases) {
        const auto exists = [&](std::string_view path) { return path != sendTo + "Deleted.lnk"; };
        const TPreset preset = DecidePreset(
            c.command, exe, [&] { return c.recorded; }, sendTo, exists);
        EXPECT_EQ(preset.Case, c.shown) << c.command << c.recorded;
        EXPECT_EQ(preset.ShortcutCaption, c.caption) << c.recorded;
    }
    EXPECT_FALSE(IsOwnShortcut(link, "", [](std::string_view) { return true; })) << "SendTo unknown";
}

TEST(Installer, FixedTexts) {
    EXPECT_EQ(VerbCommandText("C:\\T\\t.exe"), "\"C:\\T\\t.exe\" \"%1\"");
    EXPECT_EQ(VerbIconText("C:\\T\\t.exe"), "\"C:\\T\\t.exe\",0");
    EXPECT_EQ(MenuCaptionFrom(""), "QM - Tidyreel");
    EXPECT_EQ(MenuCaptionFrom("Mine"), "Mine");
    const TWindowPlace place = WindowPlaceFor(1024, 740, 18, 27);
    EXPECT_EQ(std::vector<int>({place.X, place.Y, place.Width, place.Height}), std::vector<int>({401, 318, 222, 168}));
}

}  // namespace
