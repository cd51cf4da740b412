// The window tests share one application object, on Qt's offscreen platform with a large screen
// unless told otherwise, so they run without a display and the window opens at its design size.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", ZENTRIX_TEST_PLATFORM);
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
