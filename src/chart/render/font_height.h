#pragma once

namespace somvix {

// Height of a font made from a point size at the given pixels per logical inch:
// -trunc(points x pixelsPerInch / 72), negative as the character height without leading
// (-10 for 8 points at 96, -13 at 120).
constexpr int FontHeightFromPoints(int points, int pixelsPerInch) {
    return -(points * pixelsPerInch) / 72;
}

}  // namespace somvix
