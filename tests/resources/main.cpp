// Runs the picture tests inside a GUI application, so that image plugins load as in the game.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    // No display is needed; the test list is also read at build time, without the test's
    // environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
