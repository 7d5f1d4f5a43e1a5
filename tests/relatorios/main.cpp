#include "platform/Regional.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Painting needs fonts, hence a graphical application; offscreen, so no display is looked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    // As the programs do, so the files written here are those the user gets.
    platform::regional::keepMachineNumbers();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
