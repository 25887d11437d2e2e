#pragma once

class QPainter;

namespace somvix {

class CTrendChart;

// Draws one chart with its properties as they are: computes the geometry (kept by the chart
// for the event markers), composes the grid with its labels and the curves off screen (the
// curves AND-combined over the grid and thickened to the line width, growing right and down)
// and copies the chart rectangle to the painter. Pixel-exact: nothing is anti-aliased.
// logPixelsY sizes the label fonts.
void DrawTrendChart(QPainter& painter, CTrendChart& chart, int logPixelsY);

}  // namespace somvix
