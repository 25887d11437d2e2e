#pragma once

namespace somvix {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// Places of the two chart panels inside the main window's client area. Positions are client
// pixels; sizes are fractions of the client size, which the charts multiply back.
struct PanelLayout {
    int m_nBottomPanelX = 0;
    int m_nBottomPanelY = 0;
    double m_dBottomPanelWidth = 0.0;
    double m_dBottomPanelHeight = 0.0;
    int m_nTopPanelX = 0;
    int m_nTopPanelY = 0;
    double m_dTopPanelWidth = 0.0;
    double m_dTopPanelHeight = 0.0;
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
};

// client: the whole client area; inside: the client area less the toolbar. charWidth is the
// average character width and lineHeight the height plus external leading of the text font.
// A 0 x 0 client (minimised window) gives fractions that are not numbers; they are never used,
// since nothing but the icon is painted then.
PanelLayout ComputeLayout(const Rect& client, const Rect& inside, int charWidth, int lineHeight);

}  // namespace somvix
