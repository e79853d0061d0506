// The installer's rules: captions that make a shortcut, and what the window shows for what is registered.

#include <gtest/gtest.h>

#include "installer/preset.h"
#include "qm.API/file_name.h"
#include "support/shift_jis.h"

using namespace qm::installer;
using namespace std::string_literals;

TEST(IsPlainFileName, Captions) {
    const qm::test::TShiftJisScope sjis;  // ソート and レポート: a \ and a | as second bytes
    for (const char* name : {"My sorter", "CONSOLE", "COM0", "NULL.txt", ".hidden", "a..b", "\x83\\\x81[\x83g",
                             "\x83\x8c\x83|\x81[\x83g"}) {
        EXPECT_TRUE(qm::api::IsPlainFileName(name)) << name;
    }
    for (const char* name : {"", ".", "..", "..\\Escaped", "a/b", "C:x", "a?b", "a|b", "x\ty", "trailing.", "trailing ",
                             "CON", "nul.txt", "Lpt1 .lnk", "com9"}) {
        EXPECT_FALSE(qm::api::IsPlainFileName(name)) << name;
    }
}

TEST(DecidePreset, WhatIsRegistered) {
    const qm::test::TShiftJisScope sjis;
    const std::string sendTo = "C:\\users\\me\\SendTo\\";
    // 0: this executable's verb; 1: its shortcut, and the caption shown; 2: nothing of it.
    const auto shown = [&](const std::string& command, const std::string& recorded) {
        const TPreset preset = DecidePreset(
            command, "C:\\Tools\\tidyreel.exe", [&] { return recorded; }, sendTo,
            [&](std::string_view path) { return path != sendTo + "Theirs.lnk"; });  // gone, or points elsewhere
        return std::to_string(static_cast<int>(preset.Case)) + preset.ShortcutCaption;
    };
    EXPECT_EQ(shown("\"C:\\Tools\\tidyreel.exe\" \"%1\"", sendTo + "My sorter.lnk"), "0");
    EXPECT_EQ(shown("\"c:\\tools\\tidyreel.exe\" \"%1\"", ""), "2");  // another spelling, another program
    EXPECT_EQ(shown("\"C:\\Old\\tidyreel.exe\" \"%1\"", sendTo + "My sorter.lnk"), "1My sorter");
    EXPECT_EQ(shown("", "C:\\USERS\\me\\sendto\\Menu.lnk.lnk"), "1Menu");
    EXPECT_EQ(shown("", sendTo + "\x83\\\x83t\x83g.LNK"), "1\x83\\\x83t\x83g");  // ソフト
    for (const std::string& path : {sendTo + "thesis.doc", sendTo + "Sub\\My sorter.lnk", sendTo + "..\\My sorter.lnk",
                                    sendTo + "Theirs.lnk", "C:\\users\\me\\Desktop\\Work.lnk"s}) {
        EXPECT_EQ(shown("", path), "2") << path;
    }
    EXPECT_FALSE(IsOwnShortcut(sendTo + "My sorter.lnk", "", [](std::string_view) { return true; }));
}
