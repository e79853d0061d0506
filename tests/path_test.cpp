#include <gtest/gtest.h>

#include "qm.API/dbcs.h"
#include "qm.API/path.h"

#include <string>

using namespace qm::api;

namespace {

struct SplitCase {
    std::string path;
    std::string dir;
    std::string name;
    std::string ext;
    std::string bare;
    const char* why;
};

const SplitCase kSplitCases[] = {
    {"C:\\Videos\\a.mkv", "C:\\Videos\\", "a.mkv", ".mkv", "a", ""},
    {"C:a.mkv", "C:", "a.mkv", ".mkv", "a", "the colon separates"},
    {"a.mkv", "", "a.mkv", ".mkv", "a", "no separator"},
    {"C:\\Videos\\", "C:\\Videos\\", "", "", "", "ends with a separator"},
    {"", "", "", "", "", "empty path"},
    {"D:/x/a.mkv", "D:", "/x/a.mkv", ".mkv", "/x/a", "a forward slash does not separate"},
    {"Show.S01E02.720p.mkv", "", "Show.S01E02.720p.mkv", ".mkv", "Show.S01E02.720p", ""},
    {"archive.tar.gz", "", "archive.tar.gz", ".gz", "archive.tar", "only the last dot"},
    {"name.", "", "name.", ".", "name", "a lone dot is an extension"},
    {"noext", "", "noext", "", "noext", ""},
    {"C:\\old.dir\\noext", "C:\\old.dir\\", "noext", ".dir\\noext", "noext",
     "the extension search crosses separators; the bare name uses the name's own"},
    {"C:\\Tools\\sorter.exe", "C:\\Tools\\", "sorter.exe", ".exe", "sorter", ""},
    {"C:\\Tools\\a.b.c", "C:\\Tools\\", "a.b.c", ".c", "a.b", ""},
    {"C:\\Tools\\.ini", "C:\\Tools\\", ".ini", ".ini", "", "a name that is all extension"},
    {"\\\\server\\share\\f.txt", "\\\\server\\share\\", "f.txt", ".txt", "f", "UNC path"},
    {"\\\\?\\C:\\f", "\\\\?\\C:\\", "f", "", "f", "long-path prefix"},
    {"a:b\\c:d", "a:b\\c:", "d", "", "d", "the last of mixed separators"},
};

TEST(PathSplit, DirNameExtBare) {
    for (const auto& c : kSplitCases) {
        EXPECT_EQ(DirOfPath(c.path), c.dir) << c.path << " " << c.why;
        EXPECT_EQ(NameOfPath(c.path), c.name) << c.path << " " << c.why;
        EXPECT_EQ(ExtOfPath(c.path), c.ext) << c.path << " " << c.why;
        EXPECT_EQ(BareNameOfPath(c.path), c.bare) << c.path << " " << c.why;
    }
}

TEST(PathSplit, DirAndNameRebuildThePath) {
    // Without DBCS both use the same separators, so the two halves always join back.
    for (const auto& c : kSplitCases) {
        EXPECT_EQ(DirOfPath(c.path) + NameOfPath(c.path), c.path) << c.path;
    }
}

TEST(TrailingBackslash, AddAndDropExactlyOne) {
    struct Case {
        std::string text;
        std::string added;
        std::string dropped;
        const char* why;
    };
    const Case cases[] = {
        {"", "\\", "", "empty"},
        {"C:", "C:\\", "C:", "a drive gets its root"},
        {"C:\\x\\", "C:\\x\\", "C:\\x", ""},
        {"C:/x/", "C:/x/\\", "C:/x/", "a forward slash is not a backslash"},
        {"C:\\x\\\\", "C:\\x\\\\", "C:\\x\\", "only one byte is dropped"},
        {"\\", "\\", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddTrailingBackslash(c.text), c.added) << c.text << " " << c.why;
        EXPECT_EQ(DropTrailingBackslash(c.text), c.dropped) << c.text << " " << c.why;
    }
}

// Lead bytes of a Shift-JIS-like code page, restored afterwards so that other tests see none.
class DbcsPath : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Dbcs;
        Dbcs = TDbcsState{};
        Dbcs.DbcsEnabled = true;
        const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
        MarkLeadByteRanges(ranges);
    }
    void TearDown() override { Dbcs = saved_; }

private:
    TDbcsState saved_;
};

TEST_F(DbcsPath, TrailByteWithBackslashCode) {
    // 0x95 0x5C is one double-byte character whose second byte has the backslash's code.
    struct Case {
        std::string path;
        std::string dir;
        std::string name;
        const char* why;
    };
    const Case cases[] = {
        {"C:\\\x95\\.mkv", "C:\\", ".mkv", "not a separator for the directory, one for the name"},
        {"C:\\x\x95\\", "C:\\", "", "a trail byte at the end is not a separator"},
        {"C:\\\x95\\\\f", "C:\\\x95\\\\", "f", "a real backslash right after the character"},
        {"\x81\x81\\f", "\x81\x81\\", "f", "an even run of lead bytes leaves the backslash plain"},
        {"\x81\x81\x81\\f", "", "f", "an odd run makes it a trail byte"},
        {"C:\\\x95:", "C:\\", "", "a trail byte with the colon's code"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DirOfPath(c.path), c.dir) << c.why;
        EXPECT_EQ(NameOfPath(c.path), c.name) << c.why;
    }
}

TEST_F(DbcsPath, DisabledDbcsIgnoresLeadBytes) {
    Dbcs.DbcsEnabled = false;
    EXPECT_EQ(DirOfPath("C:\\\x95\\.mkv"), "C:\\\x95\\");
}

}  // namespace
