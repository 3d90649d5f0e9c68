// The setup tests run with a QApplication (the wizard and the folder browser need one),
// offscreen unless told otherwise.
#include "controls/AppSetup.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    PrepareApplication();
    QApplication app(argc, argv);
    StartControls();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
