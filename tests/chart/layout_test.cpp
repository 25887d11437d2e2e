#include <gtest/gtest.h>

#include <cmath>

#include "chart/layout.h"

namespace somvix {
namespace {

TEST(ComputeLayout, NormalWindowBelowToolbar) {
    // 480 x 325 client, toolbar 26 high, 6-pixel characters, 16-pixel lines.
    const PanelLayout layout = ComputeLayout({0, 0, 480, 325}, {0, 26, 480, 325}, 6, 16);
    EXPECT_EQ(layout.m_nClientWidth, 480);
    EXPECT_EQ(layout.m_nClientHeight, 325);
    // W = 480 - 12 = 468; H = 299 - 48 = 251.
    EXPECT_EQ(layout.m_nTopPanelX, 6);
    EXPECT_EQ(layout.m_nTopPanelY, 26 + 16);
    EXPECT_DOUBLE_EQ(layout.m_dTopPanelWidth, 468.0 / 480.0);
    EXPECT_DOUBLE_EQ(layout.m_dTopPanelHeight, 0.7 * 251.0 / 325.0);
    EXPECT_EQ(layout.m_nBottomPanelX, 6);
    // trunc(0.7 * 251) = trunc(175.7) = 175.
    EXPECT_EQ(layout.m_nBottomPanelY, 26 + 32 + 175);
    EXPECT_DOUBLE_EQ(layout.m_dBottomPanelWidth, 468.0 / 480.0);
    EXPECT_DOUBLE_EQ(layout.m_dBottomPanelHeight, 0.3 * 251.0 / 325.0);
}

TEST(ComputeLayout, MaximisedWindowKeepsSeventyThirtySplit) {
    const PanelLayout layout = ComputeLayout({0, 0, 1920, 1017}, {0, 30, 1920, 1017}, 7, 17);
    const double sharedHeight = 987.0 - 3 * 17;
    EXPECT_EQ(layout.m_nTopPanelY, 30 + 17);
    EXPECT_EQ(layout.m_nBottomPanelY, 30 + 34 + static_cast<int>(0.7 * sharedHeight));
    // The charts multiply the fractions back by the client size.
    EXPECT_EQ(static_cast<int>(layout.m_dTopPanelHeight * 1017), static_cast<int>(0.7 * 936));
    EXPECT_EQ(static_cast<int>(layout.m_dBottomPanelWidth * 1920), 1920 - 14);
    // The lower panel ends one line above the bottom of the client area, up to truncation.
    const double lowerBottom = layout.m_nBottomPanelY + layout.m_dBottomPanelHeight * 1017;
    EXPECT_NEAR(lowerBottom, 1017 - 17, 1.0);
}

TEST(ComputeLayout, OffsetInsideRectangleMovesPanels) {
    // A toolbar docked on the left would move the panels right by its width.
    const PanelLayout layout = ComputeLayout({0, 0, 400, 300}, {40, 0, 400, 300}, 5, 10);
    EXPECT_EQ(layout.m_nTopPanelX, 45);
    EXPECT_EQ(layout.m_nBottomPanelX, 45);
    EXPECT_DOUBLE_EQ(layout.m_dTopPanelWidth, 350.0 / 400.0);
}

TEST(ComputeLayout, MinimisedZeroClientComputesWithoutCrash) {
    const PanelLayout layout = ComputeLayout({0, 0, 0, 0}, {0, 0, 0, 0}, 6, 16);
    EXPECT_EQ(layout.m_nClientWidth, 0);
    EXPECT_EQ(layout.m_nClientHeight, 0);
    EXPECT_EQ(layout.m_nTopPanelY, 16);
    // Negative sizes over a zero client: not numbers a painter may use.
    EXPECT_FALSE(std::isfinite(layout.m_dTopPanelWidth));
    EXPECT_FALSE(std::isfinite(layout.m_dBottomPanelHeight));
}

}  // namespace
}  // namespace somvix
