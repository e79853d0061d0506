#include "qm.API/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace qm::api {

namespace {

constexpr size_t kMaxIntText = 255;
constexpr int kMaxWidth = 255;
// Beyond the last digit a double can carry (about 340 places) every further decimal is a zero;
// the bound keeps an absurd request from asking for gigabytes.
constexpr int kMaxDecimals = 255;

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;  // not a digit in any base
}

std::string PadLeft(std::string text, int width) {
    width = std::min(width, kMaxWidth);
    if (width > 0 && text.size() < static_cast<size_t>(width)) {
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    }
    return text;
}

}  // namespace

std::string IntToText(int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool ParseInt(std::string_view text, int32_t& value) {
    if (text.size() > kMaxIntText) {
        return false;
    }
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    unsigned base = 10;
    if (pos < text.size()) {
        const char c = text[pos];
        if (c == '$' || c == 'x' || c == 'X') {
            base = 16;
            ++pos;
        } else if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
            base = 16;
            pos += 2;
        } else if (c == '%') {
            base = 2;
            ++pos;
        } else if (c == '&') {
            base = 8;
            ++pos;
        }
    }
    // Leading zeros go, but a lone "0" must stay to be read as a digit.
    while (pos + 1 < text.size() && text[pos] == '0') {
        ++pos;
    }
    if (pos >= text.size()) {
        return false;
    }

    // Nothing beyond 32 bits is kept, so the magnitude is rejected as soon as it passes that.
    constexpr uint64_t kMax32 = 0xFFFFFFFFu;
    uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos]);
        if (digit >= static_cast<int>(base)) {
            return false;
        }
        magnitude = magnitude * base + static_cast<unsigned>(digit);
        if (magnitude > kMax32) {
            return false;
        }
    }

    constexpr uint64_t kMinMagnitude = uint64_t{1} << 31;  // of -2147483648
    if (negative) {
        if (magnitude > kMinMagnitude) {
            return false;
        }
        value = static_cast<int32_t>(-static_cast<int64_t>(magnitude));
    } else if (base == 10) {
        if (magnitude > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
            return false;
        }
        value = static_cast<int32_t>(magnitude);
    } else {
        // Base 2/8/16 texts write bit patterns: '$FFFFFFFF' is -1.
        value = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    }
    return true;
}

int32_t ParseIntOr(std::string_view text, int32_t fallback) {
    int32_t value = fallback;
    ParseInt(text, value);
    return value;
}

std::string RealToText(double value, int width, int decimals) {
    if (std::isnan(value)) {
        return PadLeft("NaN", width);
    }
    if (std::isinf(value)) {
        return PadLeft(value < 0 ? "-Inf" : "Inf", width);
    }
    decimals = std::clamp(decimals, 0, kMaxDecimals);

    // Exactly 17 significant digits, locale-free: "[-]d.dddddddddddddddde[+-]xx".
    char buffer[64];
    const auto conv = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 16);
    const std::string_view sci(buffer, static_cast<size_t>(conv.ptr - buffer));
    const bool negative = sci.front() == '-';
    const size_t mantissaStart = negative ? 1 : 0;
    const size_t ePos = sci.find('e');
    std::string digits;
    for (size_t i = mantissaStart; i < ePos; ++i) {
        if (sci[i] != '.') {
            digits += sci[i];
        }
    }
    int exponent = 0;  // the first digit is worth 10^exponent
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exponent);

    // Keep the digits down to 10^-decimals and round half-up on the next one.
    const int keep = exponent + 1 + decimals;
    if (keep < static_cast<int>(digits.size())) {
        const bool roundUp = keep >= 0 && digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(std::max(keep, 0)));
        if (roundUp) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<size_t>(i)] == '9') {
                digits[static_cast<size_t>(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++digits[static_cast<size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
    }

    // Lay the digits out from 10^max(exponent, 0) down to 10^-decimals, zeros where none is kept.
    auto digitAt = [&](int power) {
        const int index = exponent - power;
        return (index >= 0 && index < static_cast<int>(digits.size())) ? digits[static_cast<size_t>(index)] : '0';
    };
    std::string number;
    for (int power = std::max(exponent, 0); power >= 0; --power) {
        number += digitAt(power);
    }
    if (decimals > 0) {
        number += '.';
        for (int power = -1; power >= -decimals; --power) {
            number += digitAt(power);
        }
    }

    // A negative value that rounds to zero is written as plain zero: "-0.0000000" would read as
    // a sign the value no longer has.
    const bool allZero = number.find_first_not_of("0.") == std::string::npos;
    if (negative && !allZero) {
        number.insert(0, 1, '-');
    }
    return PadLeft(std::move(number), width);
}

}  // namespace qm::api
