#pragma once
// Double-byte character set state of the ANSI code page: filled once at start-up, read-only after.
// Kept as plain data so that tests can set lead bytes of their own.

#include <bitset>
#include <string_view>

namespace qm::api {

enum class ByteKind { Plain = 0, Lead = 1, Trail = 2 };

struct TDbcsState {
    bool DbcsEnabled = false;
    std::bitset<256> LeadBytes;
};

// The process-wide state; empty (no DBCS) until the start-up step fills it.
extern TDbcsState Dbcs;

// Marks the lead-byte ranges of a code page's 12-byte LeadByte array: up to 6 (low, high) pairs,
// ending at the first pair of two zero bytes; a pair with high >= low marks low..high inclusive.
void MarkLeadByteRanges(const unsigned char (&leadByteRanges)[12]);

// Kind of the byte at the 1-based index of text; always Plain when DbcsEnabled is false.
ByteKind ByteKindAt(std::string_view text, int index);

// 1-based index of the last byte of text that is one of delimiters and not the trail byte of a
// double-byte character; 0 when there is none.
int FindLastDelim(std::string_view delimiters, std::string_view text);

}  // namespace qm::api
