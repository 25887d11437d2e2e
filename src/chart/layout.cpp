#include "chart/layout.h"

namespace somvix {

PanelLayout ComputeLayout(const Rect& client, const Rect& inside, int charWidth, int lineHeight) {
    PanelLayout layout;
    layout.m_nClientWidth = client.right - client.left;
    layout.m_nClientHeight = client.bottom - client.top;

    // Offsets of the area below the toolbar.
    const int dx = inside.left - client.left;
    const int dy = inside.top - client.top;

    const double panelWidth = static_cast<double>(inside.Width() - 2 * charWidth);
    const double sharedHeight = static_cast<double>(inside.Height() - 3 * lineHeight);
    const double clientWidth = static_cast<double>(layout.m_nClientWidth);
    const double clientHeight = static_cast<double>(layout.m_nClientHeight);

    layout.m_nTopPanelX = dx + charWidth;
    layout.m_nTopPanelY = dy + lineHeight;
    layout.m_dTopPanelWidth = panelWidth / clientWidth;
    layout.m_dTopPanelHeight = 0.7 * sharedHeight / clientHeight;

    layout.m_nBottomPanelX = dx + charWidth;
    layout.m_nBottomPanelY = dy + 2 * lineHeight + static_cast<int>(0.7 * sharedHeight);
    layout.m_dBottomPanelWidth = panelWidth / clientWidth;
    layout.m_dBottomPanelHeight = 0.3 * sharedHeight / clientHeight;
    return layout;
}

}  // namespace somvix
