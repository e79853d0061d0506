// The window operations on real controls of a hidden window.

#include <gtest/gtest.h>

#include <string>

#include "qm.API/window.h"

using namespace qm::api;

namespace {

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = NewWindow("Static", "parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND Child(const char* className, const char* text, DWORD style) const {
        return NewWindow(className, text, WS_CHILD | style, 0, 0, 100, 20, parent_, nullptr, nullptr, nullptr);
    }

    HWND parent_ = nullptr;
};

TEST_F(Window, NewWindowPassesItsArgumentsThrough) {
    HWND edit = NewWindow("Edit", "text", WS_CHILD | ES_CENTER, 6, 55, 202, 21, parent_, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetWindowLongA(edit, GWL_EXSTYLE), 0);
    EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE) & ES_CENTER, ES_CENTER);
    RECT rect{};
    GetWindowRect(edit, &rect);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 6);
    EXPECT_EQ(rect.top, 55);
    EXPECT_EQ(rect.right - rect.left, 202);
    EXPECT_EQ(rect.bottom - rect.top, 21);
    EXPECT_EQ(NewWindow("No such class", "", WS_CHILD, 0, 0, 1, 1, parent_, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(Window, TextsRoundTripUpTo1024Characters) {
    HWND edit = Child("Edit", "", 0);
    ASSERT_NE(edit, nullptr);
    struct Case {
        std::string written;
        int held;  // what the edit holds afterwards
        std::string read;
    };
    const Case cases[] = {
        {"My sorter", 9, "My sorter"},
        {"", 0, ""},
        {std::string(1024, 'x'), 1024, std::string(1024, 'x')},
        {std::string(2000, 'y'), 2000, std::string(1024, 'y')},
        {std::string("ab\0cd", 5), 2, "ab"},
    };
    for (const Case& c : cases) {
        WriteWindowText(edit, c.written);
        EXPECT_EQ(GetWindowTextLengthA(edit), c.held) << c.written.size();
        EXPECT_EQ(ReadWindowText(edit), c.read) << c.written.size();
    }
}

TEST_F(Window, ButtonChecksReadBack) {
    HWND radio = Child("Button", "Context", BS_AUTORADIOBUTTON);
    EXPECT_EQ(ReadButtonCheck(radio), 0);
    WriteButtonCheck(radio, 1);
    EXPECT_EQ(ReadButtonCheck(radio), 1);
    WriteButtonCheck(radio, 0);
    EXPECT_EQ(ReadButtonCheck(radio), 0);
}

}  // namespace
