#include "qm.API/dbcs.h"

#include <algorithm>

namespace qm::api {

TDbcsState Dbcs;

void MarkLeadByteRanges(const unsigned char (&leadByteRanges)[12]) {
    for (size_t pair = 0; pair < 6; ++pair) {
        const unsigned low = leadByteRanges[2 * pair];
        const unsigned high = leadByteRanges[(2 * pair) + 1];
        if (low == 0 && high == 0) {
            break;
        }
        for (unsigned byte = low; byte <= high; ++byte) {
            Dbcs.LeadBytes.set(byte);
        }
    }
}

ByteKind ByteKindAt(std::string_view text, int index) {
    if (!Dbcs.DbcsEnabled) {
        return ByteKind::Plain;
    }
    // Outside the text reads as the terminator, which is a plain byte.
    if (index < 1 || static_cast<size_t>(index) > text.size()) {
        return ByteKind::Plain;
    }
    const size_t k = static_cast<size_t>(index) - 1;
    const auto byte = static_cast<unsigned char>(text[k]);
    if (byte == 0) {
        return ByteKind::Plain;
    }
    // A lead byte value can also be a trail byte, so the only safe anchor is the run of
    // lead-byte values just before k: an odd run leaves byte k paired with the byte before it.
    size_t run = 0;
    while (run < k && Dbcs.LeadBytes.test(static_cast<unsigned char>(text[k - 1 - run]))) {
        ++run;
    }
    if (run % 2 == 1) {
        return ByteKind::Trail;
    }
    return Dbcs.LeadBytes.test(byte) ? ByteKind::Lead : ByteKind::Plain;
}

int FindLastDelim(std::string_view delimiters, std::string_view text) {
    for (int i = static_cast<int>(text.size()); i >= 1; --i) {
        const char byte = text[static_cast<size_t>(i) - 1];
        if (byte == '\0' || std::find(delimiters.begin(), delimiters.end(), byte) == delimiters.end()) {
            continue;
        }
        if (ByteKindAt(text, i) != ByteKind::Trail) {
            return i;
        }
        --i;  // the lead byte of that character cannot be a delimiter either
    }
    return 0;
}

}  // namespace qm::api
