#pragma once

#include <string_view>

namespace somvix {

// The integer at the start of a text as atoi gives it: white space skipped, an optional sign,
// then digits up to the first character that is not one ("7x" gives 7, "" and "x" give 0).
// Values beyond the 32-bit range are held at its nearest end instead of overflowing.
int DecimalPrefixValue(std::string_view text);

}  // namespace somvix
