#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[])
{
    // The widget tests draw on Qt's offscreen platform: no display needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
