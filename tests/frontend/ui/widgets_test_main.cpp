// GoogleTest main with a widget application object, so that tests can build
// real forms. They run on the offscreen platform, without a display, unless
// told otherwise: CTest lists the tests by running this program as well.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
