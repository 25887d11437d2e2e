#include "settings/decimal_text.h"

#include <climits>
#include <sstream>
#include <string>

namespace somvix {

namespace {

constexpr int EndOfFile = std::char_traits<char>::eof();

}  // namespace

bool ScanDecimal(std::istream& in, int& value) {
    while (IsCSpace(in.peek())) {
        in.get();
    }
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.get() == '-';
    }
    // The magnitude stops growing once it is past the 32-bit range, so that any run of digits
    // is read whole without overflowing.
    long long magnitude = 0;
    bool anyDigit = false;
    for (int c = in.peek(); c != EndOfFile && c >= '0' && c <= '9'; c = in.peek()) {
        in.get();
        anyDigit = true;
        if (magnitude < static_cast<long long>(INT_MAX) + 1) {
            magnitude = magnitude * 10 + (c - '0');
        }
    }
    if (!anyDigit) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(signedValue < INT_MIN   ? INT_MIN
                             : signedValue > INT_MAX ? INT_MAX
                                                     : signedValue);
    return true;
}

int DecimalPrefixValue(std::string_view text) {
    std::istringstream in{std::string(text)};
    int value = 0;
    ScanDecimal(in, value);
    return value;
}

}  // namespace somvix
