#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

namespace somvix {

// Direct access to the pixels of a 32-bit image, taken once: per-pixel QImage calls check
// bounds and sharing each time, which the drawing of long curves cannot afford.
class PixelView {
public:
    explicit PixelView(QImage& image)
        : m_pBits(image.bits()),
          m_nStride(image.bytesPerLine()),
          m_nWidth(image.width()),
          m_nHeight(image.height()) {}

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    QRgb& At(int x, int y) { return reinterpret_cast<QRgb*>(m_pBits + y * m_nStride)[x]; }

private:
    uchar* m_pBits;
    qsizetype m_nStride;
    int m_nWidth;
    int m_nHeight;
};

namespace detail {

// Device coordinates beyond this lie far outside any window; limiting them keeps the
// rasterizer's products inside 64 bits without moving any visible pixel.
inline constexpr long long COORDINATE_LIMIT = 1LL << 28;

inline long long LimitCoordinate(long long value) {
    return value < -COORDINATE_LIMIT ? -COORDINATE_LIMIT
                                     : (value > COORDINATE_LIMIT ? COORDINATE_LIMIT : value);
}

// Rounded position along the minor axis after t steps of n along the major axis, for a
// total minor movement of d (Bresenham: halves go away from the start).
inline long long MinorOffset(long long t, long long d, long long n) {
    const long long magnitude = (2 * t * (d < 0 ? -d : d) + n) / (2 * n);
    return d < 0 ? -magnitude : magnitude;
}

// Steps t of 0..n-1 whose major coordinate start + t * step lies in [low, high].
inline bool VisibleSteps(long long start, int step, long long n, long long low, long long high,
                         long long& first, long long& last) {
    if (step > 0) {
        first = start < low ? low - start : 0;
        last = high - start < n - 1 ? high - start : n - 1;
    } else {
        first = start > high ? start - high : 0;
        last = start - low < n - 1 ? start - low : n - 1;
    }
    return first <= last;
}

}  // namespace detail

// Calls plot(x, y, n) for the pixels of the line from (x0, y0) towards (x1, y1), the end point
// excluded, as a one-pixel cosmetic pen draws it; n counts the pixels from the start, for line
// styles. Only pixels inside clip are reported, and only those are visited, so an end point far
// outside the clip (a value far off the scale) costs nothing.
template <typename Plot>
void RasterizeLine(int x0In, int y0In, int x1In, int y1In, const QRect& clip, Plot&& plot) {
    using detail::LimitCoordinate;
    const long long x0 = LimitCoordinate(x0In);
    const long long y0 = LimitCoordinate(y0In);
    const long long dx = LimitCoordinate(x1In) - x0;
    const long long dy = LimitCoordinate(y1In) - y0;
    const long long absDx = dx < 0 ? -dx : dx;
    const long long absDy = dy < 0 ? -dy : dy;
    const bool xMajor = absDx >= absDy;
    const long long n = xMajor ? absDx : absDy;
    if (n == 0 || clip.isEmpty()) {
        return;  // a line to its own start point draws nothing
    }
    const int step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    long long first = 0;
    long long last = 0;
    const bool visible =
        xMajor ? detail::VisibleSteps(x0, step, n, clip.left(), clip.right(), first, last)
               : detail::VisibleSteps(y0, step, n, clip.top(), clip.bottom(), first, last);
    if (!visible) {
        return;
    }
    for (long long t = first; t <= last; ++t) {
        const long long x = xMajor ? x0 + t * step : x0 + detail::MinorOffset(t, dx, n);
        const long long y = xMajor ? y0 + detail::MinorOffset(t, dy, n) : y0 + t * step;
        if (x >= clip.left() && x <= clip.right() && y >= clip.top() && y <= clip.bottom()) {
            plot(static_cast<int>(x), static_cast<int>(y), static_cast<int>(t));
        }
    }
}

// A line of the grid pen: three pixels of colour, three of background, restarting at the
// line's first pixel; the background shows through the gaps (opaque background mode).
void DrawDottedLine(QImage& image, QPoint from, QPoint to, QRgb color, QRgb background,
                    const QRect& clip);

// dest = dest AND source, with source's top-left at the given point of dest and copies of it
// shifted 1 .. thickness-1 pixels to the right and, separately, downward: a one-pixel curve
// becomes thickness pixels thick. White source pixels change nothing; the pixels to combine are
// listed beforehand (pixels of source), so the cost follows the curve's length, not the area.
void AndCombineThick(QImage& dest, const QImage& source, QPoint at, int thickness,
                     const std::vector<QPoint>& pixels);

// A colour written 0x00BBGGRR as a Qt pixel value.
constexpr QRgb RgbFromColorRef(std::uint32_t color) {
    return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace somvix
