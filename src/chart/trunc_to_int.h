#pragma once

#include <climits>
#include <cmath>

namespace somvix {

// Truncation toward zero, as a C cast of a double to int, made safe for every double: values
// beyond the int range saturate and a NaN gives 0 (a cast of those would be undefined).
inline int TruncToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

}  // namespace somvix
