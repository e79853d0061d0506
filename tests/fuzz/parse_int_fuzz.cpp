// ParseInt and ParseIntOr on any text. An accepted value written with IntToText reads back as the
// same value; a rejected text leaves the value alone and gives the fallback; leading blanks change
// nothing; and texts of one plain number form (sign, base prefix, digits) agree with a reading by
// std::from_chars.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "check.h"
#include "qm.API/number.h"

namespace {

using qm::api::IntToText;
using qm::api::ParseInt;
using qm::api::ParseIntOr;

struct TParsed {
    bool Accepted = false;
    int32_t Value = 0;
    bool operator==(const TParsed&) const = default;
};

TParsed Parse(std::string_view text) {
    // Two different starting values: a rejection must leave either one as it was.
    int32_t first = 0x5A5A5A5A;
    int32_t second = -7;
    const bool accepted = ParseInt(text, first);
    CHECK(ParseInt(text, second) == accepted);
    if (!accepted) {
        CHECK(first == 0x5A5A5A5A && second == -7);
        CHECK(ParseIntOr(text, 11) == 11 && ParseIntOr(text, -11) == -11);
        return {};
    }
    CHECK(first == second);
    CHECK(ParseIntOr(text, first ^ 1) == first);
    return {true, first};
}

bool IsDigitOf(char c, unsigned base) {
    int value = 99;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < static_cast<int>(base);
}

// The reading of a text of the form [blanks][sign][prefix]digits, or nothing for any other text.
std::optional<TParsed> PlainReading(std::string_view text) {
    size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos) {
        return std::nullopt;
    }
    bool negative = false;
    if (text[pos] == '-' || text[pos] == '+') {
        negative = text[pos] == '-';
        ++pos;
    }
    unsigned base = 10;
    const std::string_view rest = text.substr(pos);
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        pos += 2;
    } else if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
        base = 16;
        pos += 1;
    } else if (rest.starts_with("%")) {
        base = 2;
        pos += 1;
    } else if (rest.starts_with("&")) {
        base = 8;
        pos += 1;
    }
    const std::string_view digits = text.substr(pos);
    if (digits.empty()) {
        return std::nullopt;
    }
    for (const char c : digits) {
        if (!IsDigitOf(c, base)) {
            return std::nullopt;
        }
    }
    uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude,
                                              static_cast<int>(base));
    CHECK(end == digits.data() + digits.size());
    if (error == std::errc::result_out_of_range) {
        return TParsed{};
    }
    if (negative) {
        if (magnitude > (uint64_t{1} << 31)) {
            return TParsed{};
        }
        return TParsed{true, static_cast<int32_t>(-static_cast<int64_t>(magnitude))};
    }
    if (base == 10) {
        return magnitude <= INT32_MAX ? TParsed{true, static_cast<int32_t>(magnitude)} : TParsed{};
    }
    // Base 2, 8 and 16 write the bit pattern of a 32-bit value.
    return magnitude <= UINT32_MAX ? TParsed{true, static_cast<int32_t>(static_cast<uint32_t>(magnitude))} : TParsed{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TParsed parsed = Parse(text);

    if (text.size() > 255) {
        CHECK(!parsed.Accepted);
        return 0;
    }
    if (parsed.Accepted) {
        const std::string written = IntToText(parsed.Value);
        CHECK(written == std::to_string(parsed.Value));
        CHECK(Parse(written) == parsed);
    }
    if (text.size() < 255) {
        CHECK(Parse(" " + std::string(text)) == parsed);
        CHECK(Parse("\t" + std::string(text)) == parsed);
    }
    if (const auto plain = PlainReading(text)) {
        CHECK(*plain == parsed);
    }
    return 0;
}
