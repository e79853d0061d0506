#include <gtest/gtest.h>

#include "qm.API/key_path.h"

using namespace qm::api;

namespace {

TEST(SplitKeyPath, CutsAtTheFirstBackslashAfterTrimmingOneAtEachEnd) {
    struct Case {
        const char* path;
        const char* parent;
        const char* child;
        const char* why;
    };
    const Case cases[] = {
        {"\\a\\b\\c\\", "a", "b\\c", "one backslash trimmed at each end; the child spans levels"},
        {"a\\b", "a", "b", ""},
        {"a", "a", "", "one level: no child"},
        {"a\\", "a", "", "one level with its trailing backslash"},
        {"\\\\a", "", "a", "only one leading backslash is trimmed, so the parent is empty"},
        {"a\\\\", "a", "", "only one trailing backslash is trimmed: the second one is the cut"},
        {"", "", "", "empty path"},
        {"\\", "", "", "a lone backslash"},
        {"SOFTWARE\\Classes\\Directory\\shell\\QuillmoorsTidyreel\\", "SOFTWARE",
         "Classes\\Directory\\shell\\QuillmoorsTidyreel", "the verb key: removed through SOFTWARE"},
        {"SOFTWARE\\Quillmoor\\Tidyreel\\", "SOFTWARE", "Quillmoor\\Tidyreel",
         "the own key: only Tidyreel goes, Quillmoor stays"},
    };
    for (const Case& c : cases) {
        const TKeySplit split = SplitKeyPath(c.path);
        EXPECT_EQ(split.Parent, c.parent) << c.path << " " << c.why;
        EXPECT_EQ(split.Child, c.child) << c.path << " " << c.why;
    }
}

}  // namespace
