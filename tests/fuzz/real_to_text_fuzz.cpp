// RealToText on any double, width and count of decimals. The text is fixed-point with exactly the
// decimals asked for (at most 255), padded with spaces to the width (at most 255) and never cut, a
// minus sign only before a value that is not written as zero, and it reads back within half a unit
// of its last decimal (plus what 17 significant digits can lose).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "qm.API/number.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(double) + 3) {
        return 0;
    }
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    // Widths from -50 to 333 and decimals from -20 to 235 reach past both caps.
    const int width = static_cast<int>((data[8] | (data[9] << 8)) % 384) - 50;
    const int decimals = static_cast<int>(data[10]) - 20;

    const std::string text = qm::api::RealToText(value, width, decimals);
    const size_t padTo = static_cast<size_t>(std::clamp(width, 0, 255));
    const size_t blanks = text.find_first_not_of(' ');
    CHECK(blanks != std::string::npos);
    const std::string_view number = std::string_view(text).substr(blanks);
    CHECK(text.size() == std::max(padTo, number.size()));

    if (!std::isfinite(value)) {
        CHECK(number == "NaN" || number == "Inf" || number == "-Inf");
        return 0;
    }

    // [-]digits[.decimals]
    const size_t places = static_cast<size_t>(std::clamp(decimals, 0, 255));
    const bool minus = number.front() == '-';
    const std::string_view unsignedPart = number.substr(minus ? 1 : 0);
    const size_t point = unsignedPart.find('.');
    const std::string_view integer = unsignedPart.substr(0, point);
    CHECK(!integer.empty());
    CHECK(integer.find_first_not_of("0123456789") == std::string_view::npos);
    CHECK(integer.size() == 1 || integer.front() != '0');
    if (places == 0) {
        CHECK(point == std::string_view::npos);
    } else {
        CHECK(point != std::string_view::npos);
        const std::string_view fraction = unsignedPart.substr(point + 1);
        CHECK(fraction.size() == places);
        CHECK(fraction.find_first_not_of("0123456789") == std::string_view::npos);
    }
    const bool writtenAsZero = unsignedPart.find_first_not_of("0.") == std::string_view::npos;
    CHECK(minus == (value < 0 && !writtenAsZero));

    const double readBack = std::strtod(std::string(number).c_str(), nullptr);
    const double halfUnit = 0.5 * std::pow(10.0, -static_cast<double>(places));
    const double bound = halfUnit * (1 + 1e-9) + std::fabs(value) * 1e-15 + 1e-300;
    CHECK(std::fabs(readBack - value) <= bound);
    return 0;
}
