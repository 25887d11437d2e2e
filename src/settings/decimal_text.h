#pragma once

#include <istream>
#include <string_view>

namespace somvix {

// The C library's rules for a decimal integer in text: white space skipped, an optional sign,
// then digits up to the first character that is not one. Values beyond the 32-bit range are
// held at its nearest end instead of overflowing.

// Reads one such integer from the stream, leaving the stream at the first character after it.
// Returns false, with value unchanged, when no digits follow the white space and sign.
bool ScanDecimal(std::istream& in, int& value);

// The integer at the start of a text as atoi gives it: "7x" gives 7, "" and "x" give 0.
int DecimalPrefixValue(std::string_view text);

// White space as the C library's "C" locale counts it.
constexpr bool IsCSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace somvix
