#pragma once
// Integer and real-number texts.

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::api {

// Decimal digits with a leading '-' for negative values; no padding, no grouping.
std::string IntToText(int32_t value);

// Accepts: blanks/tabs, an optional sign, an optional base prefix ($, x, X, 0x, 0X: 16; %: 2; &: 8),
// then digits to the end of the text. Values outside 32 bits are rejected, except that a
// non-negative base 2/8/16 value up to 32 bits is read as its signed 32-bit pattern ($FFFFFFFF
// is -1). On rejection value is left unchanged.
bool ParseInt(std::string_view text, int32_t& value);
int32_t ParseIntOr(std::string_view text, int32_t fallback);

// Fixed-point text with exactly `decimals` digits after a '.', rounded half-up from the value's
// 17-significant-digit expansion, left-padded with spaces to `width` (capped at 255), never cut.
std::string RealToText(double value, int width, int decimals);

}  // namespace qm::api
