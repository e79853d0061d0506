#include <gtest/gtest.h>

#include "qm.API/dbcs.h"

#include <string>

using namespace std::string_literals;
using namespace qm::api;

namespace {

// Each test starts from an empty DBCS state and leaves the process-wide one as it found it.
class DbcsState : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Dbcs;
        Dbcs = TDbcsState{};
    }
    void TearDown() override { Dbcs = saved_; }

    static void UseShiftJisLikeLeadBytes() {
        Dbcs.DbcsEnabled = true;
        const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
        MarkLeadByteRanges(ranges);
    }

private:
    TDbcsState saved_;
};

TEST_F(DbcsState, MarkLeadByteRanges) {
    struct Case {
        unsigned char ranges[12];
        std::string marked;
        const char* why;
    };
    const Case cases[] = {
        {{}, "", "no pairs"},
        {{0x90, 0x92, 0xE0, 0xE1}, "\x90\x91\x92\xE0\xE1", "two ranges, both ends included"},
        {{0xA0, 0x90, 0xB0, 0xB0}, "\xB0", "high below low marks nothing, reading goes on"},
        {{0x81, 0x82, 0, 0, 0xA1, 0xA2}, "\x81\x82", "reading stops at the first pair of zeros"},
        {{0x00, 0x01}, "\x00\x01"s, "a pair ends the list only when both bytes are 0"},
        {{0xFE, 0xFF}, "\xFE\xFF", "up to the last byte value without wrapping"},
        {{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6}, "\x01\x02\x03\x04\x05\x06", "all six pairs are read"},
    };
    for (const auto& c : cases) {
        Dbcs.LeadBytes.reset();
        MarkLeadByteRanges(c.ranges);
        std::string marked;
        for (int b = 0; b < 256; ++b) {
            if (Dbcs.LeadBytes.test(static_cast<size_t>(b))) {
                marked += static_cast<char>(b);
            }
        }
        EXPECT_EQ(marked, c.marked) << c.why;
    }
}

TEST_F(DbcsState, ByteKindAt) {
    EXPECT_EQ(ByteKindAt("\x95\x5C", 2), ByteKind::Plain) << "always plain while DBCS is off";
    UseShiftJisLikeLeadBytes();
    struct Case {
        std::string text;
        int index;
        ByteKind kind;
        const char* why;
    };
    const Case cases[] = {
        {"\x95\x5C", 1, ByteKind::Lead, ""},
        {"a\x95\x5C", 3, ByteKind::Trail, "trail byte with the backslash's code"},
        {"ab", 2, ByteKind::Plain, ""},
        {"\x81\x81", 2, ByteKind::Trail, "a lead-byte value in trail place"},
        {"\x81\x81\x81", 3, ByteKind::Lead, "an even run before it starts a new character"},
        {"\x81\x81x", 3, ByteKind::Plain, ""},
        {"\x81\0"s, 2, ByteKind::Plain, "a NUL is plain even after a lead byte"},
        {"", 1, ByteKind::Plain, "empty text"},
        {"\x81\x5C", 0, ByteKind::Plain, "index below the text"},
        {"\x81\x5C", 3, ByteKind::Plain, "index of the terminator"},
        {"\x81\x5C", 99, ByteKind::Plain, "far past the text"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ByteKindAt(c.text, c.index), c.kind) << c.why;
    }
}

TEST_F(DbcsState, FindLastDelim) {
    EXPECT_EQ(FindLastDelim("\\:", "C:\\\x95\\"), 5) << "without DBCS every backslash code counts";
    UseShiftJisLikeLeadBytes();
    struct Case {
        std::string delimiters;
        std::string text;
        int expected;
        const char* why;
    };
    const Case cases[] = {
        {"\\:", "C:\\a\\b", 5, ""},
        {"\\:", "C:\\\x95\\", 3, "the last backslash code is a trail byte"},
        {"\\:", "\x95\\\\", 3, "a real backslash right after the character"},
        {"\\\x95", "a\x95\\", 0, "the lead byte of a skipped trail is skipped too"},
        {"\x95", "a\x95\\b", 2, "a lead byte can itself be a delimiter"},
        {"", "a\\b", 0, "no delimiters"},
        {"\\\0"s, "a\0b"s, 0, "NUL never matches"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindLastDelim(c.delimiters, c.text), c.expected) << c.why;
    }
}

}  // namespace
