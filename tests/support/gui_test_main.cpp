#include <gtest/gtest.h>

#include <QApplication>

#include "chart/render/fonts.h"

int main(int argc, char** argv) {
    // No display is needed: everything is drawn offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    somvix::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
