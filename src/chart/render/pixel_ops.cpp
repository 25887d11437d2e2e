#include "chart/render/pixel_ops.h"

namespace somvix {

void DrawDottedLine(QImage& image, QPoint from, QPoint to, QRgb color, QRgb background,
                    const QRect& clip) {
    constexpr int DOT_LENGTH = 3;  // pixels on, then as many off
    const QRect bounds = clip.intersected(image.rect());
    PixelView pixels(image);
    RasterizeLine(from.x(), from.y(), to.x(), to.y(), bounds, [&](int x, int y, int n) {
        pixels.At(x, y) = (n / DOT_LENGTH) % 2 == 0 ? color : background;
    });
}

void AndCombineThick(QImage& dest, const QImage& source, QPoint at, int thickness,
                     const std::vector<QPoint>& pixels) {
    PixelView target(dest);
    const auto combine = [&](int x, int y, QRgb value) {
        if (target.Contains(x, y)) {
            target.At(x, y) &= value;
        }
    };
    const QRect sourceRect = source.rect();
    for (const QPoint& pixel : pixels) {
        if (!sourceRect.contains(pixel)) {
            continue;
        }
        const QRgb value =
            reinterpret_cast<const QRgb*>(source.constScanLine(pixel.y()))[pixel.x()];
        const int x = at.x() + pixel.x();
        const int y = at.y() + pixel.y();
        combine(x, y, value);
        for (int i = 1; i < thickness; ++i) {
            combine(x + i, y, value);
            combine(x, y + i, value);
        }
    }
}

}  // namespace somvix
