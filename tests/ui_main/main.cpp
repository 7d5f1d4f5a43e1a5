#include "platform/Regional.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs the executable without the test environment; never look for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // As the programs do, so the files written here are those the user gets.
    platform::regional::keepMachineNumbers();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
