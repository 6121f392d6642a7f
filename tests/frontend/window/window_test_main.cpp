// GoogleTest main for the window's tests on a real X display (the test
// command starts a virtual one). Without a display they report themselves
// skipped instead of failing to start.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("[  SKIPPED ] no X display for the window's tests\n");
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    // One logical pixel is one of the display's, unless a test run asks
    // for a scale as a high-density display would.
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
